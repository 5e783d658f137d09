#pragma once

#include <cstdint>

#include "reports/little_endian_bytes.h"

namespace money {

// The records of a BIFF8 workbook stream: a 16-bit type, a 16-bit size and at most 8224 bytes of data;
// longer data goes on in CONTINUE records.
inline constexpr size_t kBiffMaxRecordData = 8224;

enum BiffRecordType : std::uint16_t {
  kBiffEof = 0x000A,
  kBiffContinue = 0x003C,
  kBiffWindow1 = 0x003D,
  kBiffCodepage = 0x0042,
  kBiffColinfo = 0x007D,
  kBiffBoundsheet = 0x0085,
  kBiffFont = 0x0031,
  kBiffXf = 0x00E0,
  kBiffSst = 0x00FC,
  kBiffExtsst = 0x00FF,
  kBiffLabelsst = 0x00FD,
  kBiffDimensions = 0x0200,
  kBiffNumber = 0x0203,
  kBiffWindow2 = 0x023E,
  kBiffStyle = 0x0293,
  kBiffFormat = 0x041E,
  kBiffBof = 0x0809,
};

inline void AppendRecord(LittleEndianBytes& stream, std::uint16_t type, const LittleEndianBytes& data) {
  stream.U16(type).U16(static_cast<std::uint16_t>(data.Size())).Raw(data.Bytes());
}

}  // namespace money
