#include "reports/compound_file.h"

#include <gtest/gtest.h>

#include <string>

#include "reports/xls_reader.h"

namespace money {
namespace {

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 509) & 0xFF);
  return bytes;
}

// The stream comes back whole through the directory and the FAT; a stream shorter than the mini-stream
// cutoff comes back padded to 4096 bytes. From 109 FAT sectors on, DIFAT sectors list the FAT.
TEST(CompoundFileTest, TheStreamComesBackThroughFatAndDifatAtEverySize) {
  const struct {
    size_t size;
    size_t difat_sectors;
  } cases[] = {
      {0, 0},
      {1, 0},
      {4096, 0},
      {4097, 0},
      {512 * 1000 + 3, 0},
      {512 * (109 * 128 - 110), 0},  // the stream, 109 FAT sectors and the directory fill the FAT exactly
      {512 * (109 * 128 - 109), 1},  // one sector more: a 110th FAT sector, listed in a DIFAT sector
      {512 * (236 * 128 - 238), 1},  // 236 FAT sectors: the first DIFAT sector full
      {512 * (236 * 128 - 237), 2},
  };
  for (const auto& [size, difat_sectors] : cases) {
    SCOPED_TRACE(size);
    const std::string stream = Pattern(size);
    const test::CompoundStream read = test::ReadCompoundStream(CompoundFile(u"Workbook", stream), u"Workbook");
    EXPECT_EQ(read.difat_sectors, difat_sectors);
    ASSERT_EQ(read.bytes.size(), std::max<size_t>(size, 4096));
    EXPECT_TRUE(read.bytes.compare(0, size, stream) == 0);
    EXPECT_EQ(read.bytes.find_first_not_of('\0', size), std::string::npos);
  }
}

}  // namespace
}  // namespace money
