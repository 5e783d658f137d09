#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace money {

class LittleEndianBytes;

// The shared string table of a workbook: every distinct text once, in the order first used; a text cell
// refers to its text by index.
class SharedStrings {
 public:
  // The index of the text, added when it is new; counts one more cell that uses it. Throws
  // std::length_error for a text longer than a cell holds (32767 UTF-16 units).
  std::uint32_t IndexOf(std::string_view text);
  size_t UniqueCount() const { return texts_.size(); }

  // Appends the SST record (going on in CONTINUE records where it outgrows one) and its EXTSST index to
  // the workbook globals, whose first byte is the stream's first byte.
  void AppendTo(LittleEndianBytes& globals) const;

 private:
  std::vector<std::u16string> texts_;
  std::unordered_map<std::string, std::uint32_t> index_of_;
  std::uint32_t uses_ = 0;
};

}  // namespace money
