#include "storage/text_helpers.h"

namespace money {

std::string Trimmed(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string FillPattern(std::string_view pattern, const std::vector<std::string>& values) {
  std::string text;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const size_t which = static_cast<size_t>(pattern[++i] - '1');
      if (which < values.size()) text += values[which];
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace money
