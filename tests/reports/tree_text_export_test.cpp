#include "reports/tree_text_export.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "support/temp_folder.h"

namespace money {
namespace {

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const DisplayedTree kBalances{{"科目编号", "科目名称", "余额"},
                              {{"1", "收入", "1200.00"}, {"1001", "收入\\工资", "1200.00"}, {"3", "节余", "-12.50"}}};

TEST(TreeTextTest, CaptionsEmptyLineThenOneLinePerNode) {
  EXPECT_EQ(TreeText(kBalances),
            "科目编号\t科目名称\t余额\r\n"
            "\r\n"
            "1\t收入\t1200.00\r\n"
            "1001\t收入\\工资\t1200.00\r\n"
            "3\t节余\t-12.50\r\n");
}

TEST(TreeTextTest, EmptyTreeAndEmptyCellsKeepTheirTabs) {
  EXPECT_EQ(TreeText({{"科目编号", "科目名称"}, {}}), "科目编号\t科目名称\r\n\r\n");
  EXPECT_EQ(TreeText({{"a", "b", "c"}, {{"", "x", ""}}}), "a\tb\tc\r\n\r\n\tx\t\r\n");
}

TEST(WriteTreeTextTest, WritesTheTextAndReplacesAnExistingFile) {
  test::TempFolder folder;
  const std::filesystem::path file = folder / "科目余额查询.txt";
  { std::ofstream(file) << std::string(10000, 'x'); }
  WriteTreeText(file, kBalances);
  EXPECT_EQ(ReadFile(file), TreeText(kBalances));
}

TEST(WriteTreeTextTest, AFileThatCannotBeCreatedIsReportedWithTheReason) {
  test::TempFolder folder;
  const std::filesystem::path file = folder / "no such folder" / "out.txt";
  try {
    WriteTreeText(file, kBalances);
    FAIL() << "no error for " << file;
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), ::testing::StartsWith("Cannot create file \"" + file.string() + "\". "));
    EXPECT_THAT(error.what(), ::testing::HasSubstr("No such file or directory"));
  }
  EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace money
