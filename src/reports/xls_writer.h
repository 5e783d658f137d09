#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace money {

// A cell of a worksheet: empty, a number, or a text in UTF-8 (an empty text is an empty cell).
using XlsCell = std::variant<std::monostate, double, std::string>;

struct XlsColumn {
  std::string caption;
  int width_pixels = 0;       // 0: the sheet's default width
  std::string number_format;  // how the sheet shows the column's numbers ("0.00;-0.00"); empty: General
};

// A table for a workbook: the columns, whose captions make the header row, and the cells of its rows.
struct XlsTable {
  std::vector<XlsColumn> columns;
  size_t row_count = 0;
  std::function<XlsCell(size_t row, size_t column)> cell_of;
};

// A worksheet holds at most 65536 rows and 256 columns.
inline constexpr size_t kXlsSheetRows = 65536;
inline constexpr size_t kXlsSheetColumns = 256;

// Writes the table as an Excel 97-2003 workbook (BIFF8 in a compound file), replacing any file of that
// name. The header row and then the rows in order, on the worksheet "Sheet1"; rows that do not fit go
// on to "Sheet2" and so on, each sheet starting with the header row again. Texts are Unicode strings of
// the shared string table; numbers are floating point, shown by their column's number format. Throws
// std::invalid_argument for more than 256 columns, std::length_error for a text longer than a cell
// holds, and std::runtime_error with the system's reason when the file cannot be written.
void WriteXls(const std::filesystem::path& file, const XlsTable& table);

}  // namespace money
