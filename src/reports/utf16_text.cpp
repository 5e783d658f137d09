#include "reports/utf16_text.h"

namespace money {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The length of the sequence a lead byte starts and the bits it carries; 0 for a byte that starts none.
size_t SequenceLength(unsigned char lead, char32_t& bits) {
  if (lead < 0x80) {
    bits = lead;
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    bits = lead & 0x1F;
    return 2;
  }
  if ((lead & 0xF0) == 0xE0) {
    bits = lead & 0x0F;
    return 3;
  }
  if ((lead & 0xF8) == 0xF0) {
    bits = lead & 0x07;
    return 4;
  }
  return 0;
}

bool WellFormed(char32_t code_point, size_t length) {
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
  return code_point >= kSmallest[length] && code_point <= 0x10FFFF && !surrogate;
}

}  // namespace

std::u16string Utf16OfUtf8(std::string_view text) {
  std::u16string result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    char32_t code_point = 0;
    const size_t length = SequenceLength(static_cast<unsigned char>(text[i]), code_point);
    bool valid = length > 0 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code_point = (code_point << 6) | (next & 0x3F);
    }
    if (!valid || !WellFormed(code_point, length)) {
      result.push_back(kReplacement);
      ++i;
      continue;
    }
    if (code_point >= 0x10000) {
      code_point -= 0x10000;
      result.push_back(static_cast<char16_t>(0xD800 + (code_point >> 10)));
      result.push_back(static_cast<char16_t>(0xDC00 + (code_point & 0x3FF)));
    } else {
      result.push_back(static_cast<char16_t>(code_point));
    }
    i += length;
  }
  return result;
}

}  // namespace money
