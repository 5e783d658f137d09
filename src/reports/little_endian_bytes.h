#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace money {

// A growing run of bytes whose numbers are stored least significant byte first, as the compound file and
// the workbook records store them.
class LittleEndianBytes {
 public:
  LittleEndianBytes& U8(std::uint8_t value) {
    bytes_.push_back(static_cast<char>(value));
    return *this;
  }
  LittleEndianBytes& U16(std::uint16_t value) { return Unsigned(value, 2); }
  LittleEndianBytes& U32(std::uint32_t value) { return Unsigned(value, 4); }
  LittleEndianBytes& U64(std::uint64_t value) { return Unsigned(value, 8); }
  LittleEndianBytes& F64(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return U64(bits);
  }
  LittleEndianBytes& Raw(std::string_view bytes) {
    bytes_.append(bytes);
    return *this;
  }
  LittleEndianBytes& Zeros(size_t count) {
    bytes_.append(count, '\0');
    return *this;
  }
  // Overwrites four bytes already written, at an offset from the start.
  void PutU32At(size_t offset, std::uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }

  size_t Size() const { return bytes_.size(); }
  const std::string& Bytes() const { return bytes_; }
  std::string Take() && { return std::move(bytes_); }

 private:
  LittleEndianBytes& Unsigned(std::uint64_t value, size_t width) {
    for (size_t i = 0; i < width; ++i) bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return *this;
  }

  std::string bytes_;
};

}  // namespace money
