#include "reports/date_parts.h"

namespace money {

namespace {

// The first `count` characters of a UTF-8 text.
std::string LeadingCharacters(std::string_view text, size_t count) {
  size_t end = 0;
  for (size_t characters = 0; end < text.size() && characters < count; ++characters) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return std::string(text.substr(0, end));
}

}  // namespace

std::string YearMonthOfDate(std::string_view date_text) { return LeadingCharacters(date_text, 7); }

std::string YearOfDate(std::string_view date_text) { return LeadingCharacters(date_text, 4); }

}  // namespace money
