#pragma once

// A small reader of the workbooks the program writes, for the tests: compound file (header, DIFAT, FAT,
// directory) → "Workbook" stream → BIFF8 records → shared strings and cells. Every inconsistency it
// meets is thrown as std::runtime_error, so a malformed file fails the test that reads it.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reports/xls_writer.h"

namespace money::test {

struct CompoundStream {
  std::string bytes;  // the stream, cut to its size
  size_t difat_sectors = 0;
};

struct ReadCell {
  XlsCell value;
  std::string format;  // the number format of the cell's XF: "" for General, else its code
};

struct ReadSheet {
  std::string name;
  std::vector<std::vector<ReadCell>> rows;  // as DIMENSIONS gives them

  XlsCell Value(size_t row, size_t column) const { return rows.at(row).at(column).value; }
};

struct ReadBook {
  std::vector<ReadSheet> sheets;
  std::vector<std::string> strings;
  size_t continue_records = 0;
  size_t split_strings = 0;  // strings whose characters go on in the next record
  size_t difat_sectors = 0;
};

namespace xls_reader_detail {

inline std::uint32_t U32(std::string_view bytes, size_t at) {
  if (at + 4 > bytes.size()) throw std::runtime_error("read past the end");
  std::uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}
inline std::uint16_t U16(std::string_view bytes, size_t at) {
  if (at + 2 > bytes.size()) throw std::runtime_error("read past the end");
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}
inline std::uint8_t U8(std::string_view bytes, size_t at) {
  if (at >= bytes.size()) throw std::runtime_error("read past the end");
  return static_cast<std::uint8_t>(bytes[at]);
}
inline double F64(std::string_view bytes, size_t at) {
  const std::uint64_t bits = U32(bytes, at) | (static_cast<std::uint64_t>(U32(bytes, at + 4)) << 32);
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline void Require(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error(what);
}

inline std::string Utf8(const std::u16string& units) {
  std::string text;
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size()) c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else if (c < 0x800) {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      text += static_cast<char>(0xE0 | (c >> 12));
      text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      text += static_cast<char>(0xF0 | (c >> 18));
      text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

constexpr size_t kSector = 512;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFree = 0xFFFFFFFF;

inline std::string_view Sector(std::string_view file, std::uint32_t sector) {
  const size_t at = kSector + static_cast<size_t>(sector) * kSector;
  Require(at + kSector <= file.size(), "sector " + std::to_string(sector) + " beyond the file");
  return file.substr(at, kSector);
}

inline std::vector<std::uint32_t> Chain(const std::vector<std::uint32_t>& fat, std::uint32_t start) {
  std::vector<std::uint32_t> chain;
  std::set<std::uint32_t> seen;
  for (std::uint32_t sector = start; sector != kEndOfChain; sector = fat.at(sector)) {
    Require(sector < fat.size() && seen.insert(sector).second, "broken sector chain");
    chain.push_back(sector);
  }
  return chain;
}

// A record of the workbook stream.
struct Record {
  std::uint16_t type;
  size_t position;  // of its header in the stream
  std::string_view data;
};

inline std::vector<Record> RecordsFrom(std::string_view stream, size_t position) {
  std::vector<Record> records;
  while (true) {
    const std::uint16_t type = U16(stream, position);
    const std::uint16_t size = U16(stream, position + 2);
    Require(size <= 8224, "record longer than BIFF8 allows");
    Require(position + 4 + size <= stream.size(), "record beyond the stream");
    records.push_back({type, position, stream.substr(position + 4, size)});
    position += 4 + size;
    if (type == 0x000A) return records;
  }
}

}  // namespace xls_reader_detail

inline std::string ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + file.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The stream of the given name in a compound file, checked on the way: signature, version 3 with 512-byte
// sectors, whole sectors, the FAT found through the header and the DIFAT chain, chains that end.
inline CompoundStream ReadCompoundStream(std::string_view file, std::u16string_view name) {
  using namespace xls_reader_detail;
  Require(file.substr(0, 8) == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8), "no compound file signature");
  Require(U16(file, 0x1A) == 3 && U16(file, 0x1C) == 0xFFFE && U16(file, 0x1E) == 9, "not version 3, 512 bytes");
  Require(file.size() % kSector == 0, "the file is not whole sectors");
  const std::uint32_t fat_count = U32(file, 0x2C);
  std::vector<std::uint32_t> fat_sectors;
  for (size_t i = 0; i < 109 && fat_sectors.size() < fat_count; ++i) fat_sectors.push_back(U32(file, 0x4C + 4 * i));
  CompoundStream result;
  for (std::uint32_t difat = U32(file, 0x44); fat_sectors.size() < fat_count; ++result.difat_sectors) {
    Require(difat != kEndOfChain && difat != kFree, "the DIFAT ends before the FAT is listed");
    const std::string_view sector = Sector(file, difat);
    for (size_t i = 0; i < 127 && fat_sectors.size() < fat_count; ++i) fat_sectors.push_back(U32(sector, 4 * i));
    difat = U32(sector, 508);
  }
  Require(result.difat_sectors == U32(file, 0x48), "DIFAT sector count");
  std::vector<std::uint32_t> fat;
  for (const std::uint32_t sector : fat_sectors) {
    const std::string_view bytes = Sector(file, sector);
    for (size_t i = 0; i < 128; ++i) fat.push_back(U32(bytes, 4 * i));
  }
  for (const std::uint32_t sector : fat_sectors) Require(fat.at(sector) == 0xFFFFFFFD, "FAT sector not marked");
  Require(fat.size() * kSector >= file.size() - kSector, "the FAT does not map every sector");

  std::string directory;
  for (const std::uint32_t sector : Chain(fat, U32(file, 0x30))) directory += Sector(file, sector);
  Require(directory.size() >= 128 && U8(directory, 66) == 5, "no root entry first");
  for (size_t at = 0; at + 128 <= directory.size(); at += 128) {
    const std::uint16_t name_bytes = U16(directory, at + 64);
    if (name_bytes < 2 || U8(directory, at + 66) != 2) continue;
    std::u16string entry_name;
    for (size_t i = 0; i + 2 < name_bytes; i += 2) entry_name += static_cast<char16_t>(U16(directory, at + i));
    if (entry_name != name) continue;
    const std::uint32_t size = U32(directory, at + 120);
    Require(size >= U32(file, 0x38), "a small stream would be in the mini stream");
    for (const std::uint32_t sector : Chain(fat, U32(directory, at + 116))) result.bytes += Sector(file, sector);
    Require(result.bytes.size() >= size && result.bytes.size() - size < kSector, "stream chain and size differ");
    result.bytes.resize(size);
    return result;
  }
  throw std::runtime_error("no such stream");
}

// The workbook of an .xls file: its shared strings (the EXTSST index checked against them) and its
// sheets in the order of the sheet list.
inline ReadBook ReadXls(const std::filesystem::path& path) {
  using namespace xls_reader_detail;
  const std::string file = ReadWholeFile(path);
  const CompoundStream compound = ReadCompoundStream(file, u"Workbook");
  const std::string_view stream = compound.bytes;
  ReadBook book;
  book.difat_sectors = compound.difat_sectors;

  const std::vector<Record> globals = RecordsFrom(stream, 0);
  Require(globals.front().type == 0x0809 && U16(globals.front().data, 0) == 0x0600 &&
              U16(globals.front().data, 2) == 0x0005,
          "the stream does not start with the globals' BIFF8 BOF");
  std::map<std::uint16_t, std::string> format_codes{{0, ""}};
  std::vector<std::uint16_t> xf_formats;
  std::vector<std::pair<std::uint32_t, std::string>> sheet_list;
  std::vector<size_t> string_starts;
  for (size_t r = 0; r < globals.size(); ++r) {
    const Record& record = globals[r];
    if (record.type == 0x041E) {
      const std::uint16_t count = U16(record.data, 2);
      Require(U8(record.data, 4) == 1 && record.data.size() == 5 + 2 * size_t{count}, "format codes in UTF-16");
      std::u16string code;
      for (size_t i = 0; i < count; ++i) code += static_cast<char16_t>(U16(record.data, 5 + 2 * i));
      format_codes[U16(record.data, 0)] = Utf8(code);
    }
    if (record.type == 0x00E0) xf_formats.push_back(U16(record.data, 2));
    if (record.type == 0x0085) {
      const std::uint8_t length = U8(record.data, 6);
      Require(U8(record.data, 7) == 0, "sheet names are written compressed");
      sheet_list.emplace_back(U32(record.data, 0), std::string(record.data.substr(8, length)));
    }
    if (record.type == 0x00FC) {
      // The table and its CONTINUE records, read as one run of chunks.
      std::vector<const Record*> chunks{&record};
      while (r + 1 < globals.size() && globals[r + 1].type == 0x003C) chunks.push_back(&globals[++r]);
      book.continue_records = chunks.size() - 1;
      size_t chunk = 0;
      size_t at = 8;
      const std::uint32_t unique = U32(record.data, 4);
      for (std::uint32_t s = 0; s < unique; ++s) {
        if (at == chunks[chunk]->data.size()) {
          ++chunk;
          at = 0;
        }
        string_starts.push_back(chunks[chunk]->position + 4 + at);
        const std::uint16_t count = U16(chunks[chunk]->data, at);
        std::uint8_t flags = U8(chunks[chunk]->data, at + 2);
        Require((flags & 0x0C) == 0, "no rich or extended strings are written");
        at += 3;
        std::u16string units;
        while (units.size() < count) {
          if (at == chunks[chunk]->data.size()) {
            ++chunk;
            Require(chunk < chunks.size(), "the table ends inside a string");
            flags = U8(chunks[chunk]->data, 0);
            at = 1;
            ++book.split_strings;
          }
          const bool high = (flags & 1) != 0;
          units += high ? static_cast<char16_t>(U16(chunks[chunk]->data, at)) : U8(chunks[chunk]->data, at);
          at += high ? 2 : 1;
        }
        book.strings.push_back(Utf8(units));
      }
      Require(chunk == chunks.size() - 1 && at == chunks[chunk]->data.size(), "bytes after the last string");
    }
    if (record.type == 0x00FF) {
      const std::uint16_t per_bucket = U16(record.data, 0);
      Require(per_bucket >= 8, "EXTSST buckets hold at least 8 strings");
      const size_t buckets = (record.data.size() - 2) / 8;
      Require(buckets == (string_starts.size() + per_bucket - 1) / per_bucket, "EXTSST bucket count");
      for (size_t b = 0; b < buckets; ++b) {
        const size_t start = string_starts[b * per_bucket];
        Require(U32(record.data, 2 + 8 * b) == start, "EXTSST stream position");
        const std::uint16_t in_record = U16(record.data, 6 + 8 * b);
        Require(in_record >= 4 && in_record <= start, "EXTSST offset");
        const std::uint16_t type = U16(stream, start - in_record);
        Require(type == 0x00FC || type == 0x003C, "EXTSST offset does not lead to its record");
      }
    }
  }

  for (const auto& [position, name] : sheet_list) {
    const std::vector<Record> records = RecordsFrom(stream, position);
    Require(records.front().type == 0x0809 && U16(records.front().data, 2) == 0x0010, "sheet does not start with BOF");
    ReadSheet sheet;
    sheet.name = name;
    size_t columns = 0;
    for (const Record& record : records) {
      if (record.type == 0x0200) {
        Require(U32(record.data, 0) == 0 && U16(record.data, 8) == 0, "rows and columns start at 0");
        Require(U32(record.data, 4) <= kXlsSheetRows, "more rows than a sheet holds");
        columns = U16(record.data, 10);
        sheet.rows.assign(U32(record.data, 4), std::vector<ReadCell>(columns));
        continue;
      }
      if (record.type != 0x00FD && record.type != 0x0203) continue;
      const std::uint16_t row = U16(record.data, 0);
      const std::uint16_t column = U16(record.data, 2);
      const std::uint16_t xf = U16(record.data, 4);
      Require(row < sheet.rows.size() && column < columns, "cell outside the dimensions");
      ReadCell& cell = sheet.rows[row][column];
      Require(std::holds_alternative<std::monostate>(cell.value), "two records for one cell");
      cell.format = format_codes.at(xf_formats.at(xf));
      if (record.type == 0x00FD) {
        cell.value = book.strings.at(U32(record.data, 6));
      } else {
        cell.value = F64(record.data, 6);
      }
    }
    book.sheets.push_back(std::move(sheet));
  }
  return book;
}

}  // namespace money::test
