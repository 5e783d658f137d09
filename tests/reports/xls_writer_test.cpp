#include "reports/xls_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "reports/xls_reader.h"
#include "support/temp_folder.h"

namespace money {
namespace {

using Row = std::vector<XlsCell>;

XlsColumn Column(std::string caption, int width = 0, std::string number_format = {}) {
  return {std::move(caption), width, std::move(number_format)};
}

XlsTable TableOf(std::vector<XlsColumn> columns, const std::vector<Row>& rows) {
  return {std::move(columns), rows.size(), [rows](size_t row, size_t column) { return rows.at(row).at(column); }};
}

std::vector<Row> Values(const test::ReadSheet& sheet) {
  std::vector<Row> values;
  for (const auto& row : sheet.rows) {
    Row cells;
    for (const test::ReadCell& cell : row) cells.push_back(cell.value);
    values.push_back(cells);
  }
  return values;
}

class XlsWriterTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return folder_ / "科目明细_节余\\现金.xls"; }
  test::TempFolder folder_;
};

TEST_F(XlsWriterTest, HeaderRowThenTextsNumbersAndEmptyCellsAsWritten) {
  const std::vector<XlsColumn> columns = {Column("类别", 32), Column("流水号", 67), Column("摘要", 140),
                                          Column("金额", 107, "0.00;-0.00"), Column("用户名称")};
  const std::vector<Row> rows = {
      {std::string("收入"), 12.0, std::string("工资 café \xF0\x9F\x92\xB0"), 1200.5, std::string("系统管理员")},
      {std::string(), 3.0, XlsCell(), -0.125, std::string("系统管理员")},
      {XlsCell(), XlsCell(), XlsCell(), XlsCell(), XlsCell()},
      {std::string("转帐"), 1.0, std::string("收入"), std::string("n/a"), std::string("x")},
  };
  { std::ofstream(File()) << std::string(100000, 'x'); }  // an existing file is replaced
  WriteXls(File(), TableOf(columns, rows));

  const test::ReadBook book = test::ReadXls(File());
  ASSERT_EQ(book.sheets.size(), 1u);
  const test::ReadSheet& sheet = book.sheets[0];
  EXPECT_EQ(sheet.name, "Sheet1");
  const std::vector<Row> expected = {
      {std::string("类别"), std::string("流水号"), std::string("摘要"), std::string("金额"), std::string("用户名称")},
      {std::string("收入"), 12.0, std::string("工资 café \xF0\x9F\x92\xB0"), 1200.5, std::string("系统管理员")},
      {XlsCell(), 3.0, XlsCell(), -0.125, std::string("系统管理员")},
      {XlsCell(), XlsCell(), XlsCell(), XlsCell(), XlsCell()},
      {std::string("转帐"), 1.0, std::string("收入"), std::string("n/a"), std::string("x")},
  };
  EXPECT_EQ(Values(sheet), expected);
  // Each distinct text once; the numbers of the amount column take its format, the others General.
  EXPECT_THAT(book.strings, ::testing::ElementsAre("类别", "流水号", "摘要", "金额", "用户名称", "收入",
                                                   "工资 café \xF0\x9F\x92\xB0", "系统管理员", "转帐", "n/a", "x"));
  EXPECT_EQ(sheet.rows[1][3].format, "0.00;-0.00");
  EXPECT_EQ(sheet.rows[2][3].format, "0.00;-0.00");
  EXPECT_EQ(sheet.rows[1][1].format, "");
  EXPECT_EQ(sheet.rows[4][3].format, "");
}

TEST_F(XlsWriterTest, ATableOfNoRowsIsTheHeaderRowAlone) {
  WriteXls(File(), TableOf({Column("流水号"), Column("金额")}, {}));
  const test::ReadBook book = test::ReadXls(File());
  ASSERT_EQ(book.sheets.size(), 1u);
  EXPECT_EQ(Values(book.sheets[0]), (std::vector<Row>{{std::string("流水号"), std::string("金额")}}));
}

// Long texts, Chinese and Latin, outgrow the first record of the string table: it goes on in CONTINUE
// records, strings split between records on both kinds of characters, and its index still finds them.
TEST_F(XlsWriterTest, ALargeStringTableGoesOnInContinueRecords) {
  const char* const kCharacters[] = {"餐", "饮", "早", "工"};
  std::vector<Row> rows;
  for (int i = 0; i < 3000; ++i) {
    const std::string repeated = i % 2 == 0 ? std::string(37 + i % 50, 'a' + i % 26) : std::string();
    std::string chinese;
    for (int k = 0; k < 20 + i % 61; ++k) chinese += kCharacters[(i + k) % 4];
    rows.push_back({std::to_string(i) + repeated, chinese + std::to_string(i), static_cast<double>(i)});
  }
  WriteXls(File(), TableOf({Column("摘要"), Column("科目名称"), Column("流水号")}, rows));

  const test::ReadBook book = test::ReadXls(File());
  EXPECT_GT(book.continue_records, 10u);
  EXPECT_GT(book.split_strings, 5u);
  ASSERT_EQ(book.sheets.size(), 1u);
  std::vector<Row> expected = {{std::string("摘要"), std::string("科目名称"), std::string("流水号")}};
  expected.insert(expected.end(), rows.begin(), rows.end());
  EXPECT_EQ(Values(book.sheets[0]), expected);
}

// A sheet holds 65536 rows: the header and 65535 data rows. The rows beyond go on to the next sheet,
// which starts with the header again.
TEST_F(XlsWriterTest, RowsBeyondASheetGoOnOnTheNextSheetUnderTheHeader) {
  for (const size_t count : {size_t{65535}, size_t{65536}}) {
    WriteXls(File(), {{Column("流水号")}, count, [](size_t row, size_t) { return XlsCell(static_cast<double>(row)); }});
    const test::ReadBook book = test::ReadXls(File());
    ASSERT_EQ(book.sheets.size(), count == 65535 ? 1u : 2u) << count;
    EXPECT_EQ(book.sheets[0].rows.size(), 65536u);
    EXPECT_EQ(book.sheets[0].Value(65535, 0), XlsCell(65534.0));
    if (count == 65536) {
      EXPECT_EQ(book.sheets[1].name, "Sheet2");
      EXPECT_EQ(Values(book.sheets[1]), (std::vector<Row>{{std::string("流水号")}, {65535.0}}));
    }
  }
}

TEST_F(XlsWriterTest, SeventyThousandRowsOfElevenColumnsFillTwoSheets) {
  constexpr size_t kRows = 70000;
  std::vector<XlsColumn> columns;
  for (int c = 0; c < 11; ++c)
    columns.push_back(Column("列" + std::to_string(c), 60, c % 4 == 0 ? "0.00;-0.00" : "#.##"));
  const auto cell_of = [](size_t row, size_t column) -> XlsCell {
    if (column % 2 == 0) return static_cast<double>(row * 11 + column) / 4;
    return "行" + std::to_string(row) + "_" + std::to_string(column % 3);
  };
  WriteXls(File(), {columns, kRows, cell_of});

  const test::ReadBook book = test::ReadXls(File());
  EXPECT_GT(book.difat_sectors, 0u);
  ASSERT_EQ(book.sheets.size(), 2u);
  EXPECT_EQ(book.sheets[0].rows.size(), 65536u);
  EXPECT_EQ(book.sheets[1].rows.size(), 1 + kRows - 65535);
  size_t row = 0;
  for (const test::ReadSheet& sheet : book.sheets) {
    for (size_t c = 0; c < 11; ++c) EXPECT_EQ(sheet.Value(0, c), XlsCell("列" + std::to_string(c)));
    for (size_t r = 1; r < sheet.rows.size(); ++r, ++row) {
      for (size_t c = 0; c < 11; ++c) {
        if (sheet.Value(r, c) != cell_of(row, c)) FAIL() << "row " << row << " column " << c;
      }
    }
  }
  EXPECT_EQ(row, kRows);
  EXPECT_EQ(book.sheets[1].rows[1][8].format, "0.00;-0.00");
  EXPECT_EQ(book.sheets[1].rows[1][6].format, "#.##");
  EXPECT_EQ(book.sheets[1].rows[1][1].format, "");  // a text
}

TEST_F(XlsWriterTest, TablesItCannotHoldAndFilesItCannotWriteAreRefused) {
  std::vector<XlsColumn> many(257, Column("x"));
  EXPECT_THROW(WriteXls(File(), {many, 0, {}}), std::invalid_argument);
  const std::string too_long(32768, 'a');
  EXPECT_THROW(WriteXls(File(), TableOf({Column("摘要")}, {{too_long}})), std::length_error);
  EXPECT_FALSE(std::filesystem::exists(File()));
  WriteXls(File(), TableOf({Column("摘要")}, {{too_long.substr(1)}}));
  EXPECT_EQ(test::ReadXls(File()).sheets[0].Value(1, 0), XlsCell(too_long.substr(1)));

  const std::filesystem::path nowhere = folder_ / "no such folder" / "a.xls";
  try {
    WriteXls(nowhere, TableOf({Column("摘要")}, {}));
    FAIL() << "no error for " << nowhere;
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), ::testing::StartsWith("Cannot create file \"" + nowhere.string() + "\". "));
  }
}

}  // namespace
}  // namespace money
