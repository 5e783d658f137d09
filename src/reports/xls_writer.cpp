#include "reports/xls_writer.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "reports/biff_records.h"
#include "reports/compound_file.h"
#include "reports/file_output.h"
#include "reports/little_endian_bytes.h"
#include "reports/shared_strings.h"
#include "reports/utf16_text.h"

namespace money {

namespace {

constexpr std::u16string_view kWorkbookStream = u"Workbook";
constexpr std::string_view kSheetNamePrefix = "Sheet";

constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint16_t kGlobalsSubstream = 0x0005;
constexpr std::uint16_t kWorksheetSubstream = 0x0010;
constexpr std::uint16_t kBuildId = 0x0DBB;
constexpr std::uint16_t kBuildYear = 0x07CC;
constexpr std::uint32_t kLowestBiffVersion = 0x0006;
constexpr std::uint16_t kUnicodeCodepage = 1200;

// The font of every cell: 宋体 12 pt, GB2312 character set. Four font records, as Excel expects them.
constexpr std::u16string_view kFontName = u"宋体";
constexpr std::uint16_t kFontHeightTwips = 240;
constexpr std::uint16_t kAutomaticColour = 0x7FFF;
constexpr std::uint16_t kNormalWeight = 400;
constexpr std::uint8_t kGb2312Charset = 134;
constexpr int kFontRecords = 4;
constexpr int kPixelsPerDigit = 8;  // of that font, for column widths in 1/256 of a digit

// Cell formats: the fifteen style formats Excel expects, the General cell format, then one cell format
// per number format of the columns. Number formats of our own are numbered from 164 on.
constexpr int kStyleFormats = 15;
constexpr std::uint16_t kGeneralCell = 15;
constexpr std::uint16_t kFirstNumberFormatCell = 16;
constexpr std::uint16_t kFirstOwnNumberFormat = 164;
constexpr std::uint16_t kStyleFlags = 0xFFF5;  // locked, a style, no parent
constexpr std::uint16_t kCellFlags = 0x0001;   // locked, a cell of the Normal style
constexpr std::uint8_t kAlignBottom = 0x20;
constexpr std::uint8_t kStyleAttributesUnused = 0xF4;
constexpr std::uint8_t kOwnNumberFormat = 0x04;
constexpr std::uint16_t kDefaultColours = 0x20C0;  // pattern colours 64 and 65: system window colours

constexpr std::uint16_t kShownFirstSheet = 0x06B6;  // grid lines, headings, zeros, outline; selected, shown
constexpr std::uint16_t kOtherSheet = 0x00B6;
constexpr std::uint16_t kAutomaticHeadingColour = 64;

void AppendBof(LittleEndianBytes& stream, std::uint16_t substream) {
  LittleEndianBytes data;
  data.U16(kBiff8).U16(substream).U16(kBuildId).U16(kBuildYear).U32(0).U32(kLowestBiffVersion);
  AppendRecord(stream, kBiffBof, data);
}

void AppendEof(LittleEndianBytes& stream) { AppendRecord(stream, kBiffEof, {}); }

// An XF record: font 0, the number format, bottom-aligned, no borders, no pattern.
void AppendCellFormat(LittleEndianBytes& globals, std::uint16_t format, std::uint16_t flags, std::uint8_t attributes) {
  LittleEndianBytes data;
  data.U16(0).U16(format).U16(flags).U8(kAlignBottom).U8(0).U8(0).U8(attributes);
  data.U32(0).U32(0).U16(kDefaultColours);
  AppendRecord(globals, kBiffXf, data);
}

// The distinct number formats of the columns, in the order of the columns.
std::vector<std::string> NumberFormats(const XlsTable& table) {
  std::vector<std::string> formats;
  for (const XlsColumn& column : table.columns) {
    if (!column.number_format.empty() &&
        std::find(formats.begin(), formats.end(), column.number_format) == formats.end()) {
      formats.push_back(column.number_format);
    }
  }
  return formats;
}

// The workbook's settings before its sheet list: code page, window, fonts, number and cell formats, the
// Normal style.
void AppendWorkbookSettings(LittleEndianBytes& globals, const std::vector<std::string>& number_formats) {
  AppendRecord(globals, kBiffCodepage, LittleEndianBytes().U16(kUnicodeCodepage));
  // The workbook window: its position and size in twips, scroll bars and sheet tabs shown, the first
  // sheet active and selected, the tabs taking 60% of the bottom edge.
  LittleEndianBytes window;
  window.U16(0).U16(0).U16(0x4000).U16(0x2000).U16(0x0038).U16(0).U16(0).U16(1).U16(600);
  AppendRecord(globals, kBiffWindow1, window);
  for (int font = 0; font < kFontRecords; ++font) {
    LittleEndianBytes data;
    data.U16(kFontHeightTwips).U16(0).U16(kAutomaticColour).U16(kNormalWeight).U16(0);
    data.U8(0).U8(0).U8(kGb2312Charset).U8(0);
    data.U8(static_cast<std::uint8_t>(kFontName.size())).U8(1);
    for (const char16_t unit : kFontName) data.U16(unit);
    AppendRecord(globals, kBiffFont, data);
  }
  for (size_t f = 0; f < number_formats.size(); ++f) {
    const std::u16string code = Utf16OfUtf8(number_formats[f]);
    LittleEndianBytes data;
    data.U16(static_cast<std::uint16_t>(kFirstOwnNumberFormat + f));
    data.U16(static_cast<std::uint16_t>(code.size())).U8(1);
    for (const char16_t unit : code) data.U16(unit);
    AppendRecord(globals, kBiffFormat, data);
  }
  for (int style = 0; style < kStyleFormats; ++style) {
    AppendCellFormat(globals, 0, kStyleFlags, style == 0 ? 0 : kStyleAttributesUnused);
  }
  AppendCellFormat(globals, 0, kCellFlags, 0);
  for (size_t f = 0; f < number_formats.size(); ++f) {
    AppendCellFormat(globals, static_cast<std::uint16_t>(kFirstOwnNumberFormat + f), kCellFlags, kOwnNumberFormat);
  }
  // The built-in style Normal, on cell format 0.
  AppendRecord(globals, kBiffStyle, LittleEndianBytes().U16(0x8000).U8(0).U8(0xFF));
}

class SheetWriter {
 public:
  SheetWriter(const XlsTable& table, const std::vector<std::string>& number_formats, SharedStrings& strings)
      : table_(table), strings_(strings) {
    for (const XlsColumn& column : table_.columns) {
      const auto found = std::find(number_formats.begin(), number_formats.end(), column.number_format);
      number_cell_.push_back(
          found == number_formats.end()
              ? kGeneralCell
              : static_cast<std::uint16_t>(kFirstNumberFormatCell + (found - number_formats.begin())));
    }
  }

  // The substream of the sheet holding the header row and the rows [first, end).
  std::string Sheet(size_t first, size_t end, bool first_sheet) {
    LittleEndianBytes sheet;
    AppendBof(sheet, kWorksheetSubstream);
    AppendColumnWidths(sheet);
    const size_t columns = table_.columns.size();
    LittleEndianBytes dimensions;
    dimensions.U32(0).U32(columns == 0 ? 0 : static_cast<std::uint32_t>(1 + end - first));
    dimensions.U16(0).U16(static_cast<std::uint16_t>(columns)).U16(0);
    AppendRecord(sheet, kBiffDimensions, dimensions);

    for (size_t column = 0; column < columns; ++column) AppendText(sheet, 0, column, table_.columns[column].caption);
    for (size_t row = first; row < end; ++row) {
      for (size_t column = 0; column < columns; ++column) {
        AppendCell(sheet, 1 + row - first, column, table_.cell_of(row, column));
      }
    }

    LittleEndianBytes window;
    window.U16(first_sheet ? kShownFirstSheet : kOtherSheet).U16(0).U16(0).U16(kAutomaticHeadingColour);
    window.U16(0).U16(0).U16(0).U32(0);
    AppendRecord(sheet, kBiffWindow2, window);
    AppendEof(sheet);
    return std::move(sheet).Take();
  }

 private:
  void AppendColumnWidths(LittleEndianBytes& sheet) const {
    for (size_t column = 0; column < table_.columns.size(); ++column) {
      const int pixels = table_.columns[column].width_pixels;
      if (pixels <= 0) continue;
      const auto width = static_cast<std::uint16_t>(std::min(0xFFFF, pixels * 256 / kPixelsPerDigit));
      LittleEndianBytes data;
      data.U16(static_cast<std::uint16_t>(column)).U16(static_cast<std::uint16_t>(column)).U16(width);
      data.U16(kGeneralCell).U16(0).U16(0);
      AppendRecord(sheet, kBiffColinfo, data);
    }
  }

  void AppendText(LittleEndianBytes& sheet, size_t row, size_t column, const std::string& text) {
    if (text.empty()) return;
    LittleEndianBytes data;
    data.U16(static_cast<std::uint16_t>(row)).U16(static_cast<std::uint16_t>(column)).U16(kGeneralCell);
    data.U32(strings_.IndexOf(text));
    AppendRecord(sheet, kBiffLabelsst, data);
  }

  void AppendCell(LittleEndianBytes& sheet, size_t row, size_t column, const XlsCell& cell) {
    if (const auto* text = std::get_if<std::string>(&cell)) {
      AppendText(sheet, row, column, *text);
      return;
    }
    const auto* number = std::get_if<double>(&cell);
    if (number == nullptr) return;
    LittleEndianBytes data;
    data.U16(static_cast<std::uint16_t>(row)).U16(static_cast<std::uint16_t>(column));
    data.U16(number_cell_[column]).F64(*number);
    AppendRecord(sheet, kBiffNumber, data);
  }

  const XlsTable& table_;
  SharedStrings& strings_;
  std::vector<std::uint16_t> number_cell_;  // per column, the cell format of its numbers
};

std::string WorkbookStream(const XlsTable& table) {
  if (table.columns.size() > kXlsSheetColumns) throw std::invalid_argument("more columns than a worksheet holds");
  const size_t rows_per_sheet = kXlsSheetRows - 1;  // below the header row
  const size_t sheet_count = std::max<size_t>(1, (table.row_count + rows_per_sheet - 1) / rows_per_sheet);

  const std::vector<std::string> number_formats = NumberFormats(table);
  SharedStrings strings;
  SheetWriter writer(table, number_formats, strings);
  std::vector<std::string> sheets;
  for (size_t s = 0; s < sheet_count; ++s) {
    const size_t first = s * rows_per_sheet;
    sheets.push_back(writer.Sheet(first, std::min(table.row_count, first + rows_per_sheet), s == 0));
  }

  LittleEndianBytes globals;
  AppendBof(globals, kGlobalsSubstream);
  AppendWorkbookSettings(globals, number_formats);
  std::vector<size_t> sheet_position_at;
  for (size_t s = 0; s < sheet_count; ++s) {
    const std::string name = std::string(kSheetNamePrefix) + std::to_string(s + 1);
    LittleEndianBytes data;
    data.U32(0).U8(0).U8(0).U8(static_cast<std::uint8_t>(name.size())).U8(0).Raw(name);
    sheet_position_at.push_back(globals.Size() + 4);
    AppendRecord(globals, kBiffBoundsheet, data);
  }
  strings.AppendTo(globals);
  AppendEof(globals);

  size_t position = globals.Size();
  for (size_t s = 0; s < sheet_count; ++s) {
    globals.PutU32At(sheet_position_at[s], static_cast<std::uint32_t>(position));
    position += sheets[s].size();
  }
  LittleEndianBytes stream = std::move(globals);
  for (const std::string& sheet : sheets) stream.Raw(sheet);
  return std::move(stream).Take();
}

}  // namespace

void WriteXls(const std::filesystem::path& file, const XlsTable& table) {
  WriteFileBytes(file, CompoundFile(kWorkbookStream, WorkbookStream(table)));
}

}  // namespace money
