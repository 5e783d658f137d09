#include "reports/file_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "support/temp_folder.h"

namespace money {
namespace {

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(WriteFileBytesTest, ReplacesTheFileAndLeavesNothingElseBeside) {
  test::TempFolder folder;
  const std::filesystem::path file = folder / "明细.xls";
  { std::ofstream(file) << std::string(10000, 'x'); }
  WriteFileBytes(file, "new");
  EXPECT_EQ(ReadFile(file), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

// The new bytes cannot take the name (a folder stands there): the error names the file, and nothing
// written on the way stays behind.
TEST(WriteFileBytesTest, AFailedReplacementLeavesWhatWasThere) {
  test::TempFolder folder;
  const std::filesystem::path file = folder / "out.txt";
  std::filesystem::create_directory(file);
  { std::ofstream(file / "kept") << "kept"; }
  try {
    WriteFileBytes(file, "new");
    FAIL() << "no error for " << file;
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot write file \"" + file.string() + "\". ", 0), 0u) << error.what();
  }
  EXPECT_EQ(ReadFile(file / "kept"), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
}  // namespace money
