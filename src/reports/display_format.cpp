#include "reports/display_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "storage/sql_text.h"

namespace money {

namespace {

constexpr int kSignificantDigits = 15;

// One section of a display format: literal text around one number pattern.
struct Section {
  std::string prefix;
  std::string suffix;
  bool has_number = false;
  size_t integer_zeros = 0;   // integer digits always written
  size_t decimal_zeros = 0;   // decimals always written
  size_t decimal_places = 0;  // decimals at most
};

bool IsPatternChar(char c) { return c == '0' || c == '#' || c == '.'; }

Section ParseSection(std::string_view text) {
  Section section;
  size_t i = 0;
  while (i < text.size() && !IsPatternChar(text[i])) section.prefix += text[i++];
  section.has_number = i < text.size();
  bool after_point = false;
  for (; i < text.size() && IsPatternChar(text[i]); ++i) {
    if (text[i] == '.') {
      after_point = true;
    } else if (after_point) {
      ++section.decimal_places;
      if (text[i] == '0') section.decimal_zeros = section.decimal_places;
    } else if (text[i] == '0') {
      ++section.integer_zeros;
    }
  }
  section.suffix = std::string(text.substr(i));
  return section;
}

std::vector<std::string_view> SplitSections(std::string_view format) {
  std::vector<std::string_view> sections;
  size_t start = 0;
  for (size_t semicolon = format.find(';'); semicolon != std::string_view::npos; semicolon = format.find(';', start)) {
    sections.push_back(format.substr(start, semicolon - start));
    start = semicolon + 1;
  }
  sections.push_back(format.substr(start));
  return sections;
}

// The magnitude as integer and decimal digit texts, rounded half away from zero to the given decimals
// from its 15 significant digits. The integer text is empty for a magnitude below one.
struct Digits {
  std::string integer;
  std::string decimals;
  bool IsZero() const { return integer.empty() && decimals.find_first_not_of('0') == std::string::npos; }
};

Digits RoundedDigits(double magnitude, size_t decimal_places) {
  // 15 significant digits and the exponent after rounding, "." as decimal point in every locale.
  char buffer[40] = {};  // the last place stays the terminating null
  std::to_chars(buffer, buffer + sizeof buffer - 1, magnitude, std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view scientific(buffer);
  const size_t e = scientific.find('e');
  std::string mantissa;
  mantissa += scientific[0];
  mantissa += scientific.substr(2, e - 2);
  const long exponent = std::atol(buffer + e + 1);

  // All digits in one text with the decimal point after `integer_length` of them.
  std::string all;
  size_t integer_length = 0;
  if (exponent >= 0) {
    integer_length = static_cast<size_t>(exponent) + 1;
    all = mantissa;
    if (all.size() < integer_length) all.append(integer_length - all.size(), '0');
  } else {
    all = std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
  }
  const size_t kept = integer_length + decimal_places;
  if (all.size() > kept) {
    const bool round_up = all[kept] >= '5';
    all.resize(kept);
    if (round_up) {
      size_t i = kept;
      while (i > 0 && all[i - 1] == '9') all[--i] = '0';
      if (i == 0) {
        all.insert(all.begin(), '1');
        ++integer_length;
      } else {
        ++all[i - 1];
      }
    }
  }
  all.resize(integer_length + decimal_places, '0');

  Digits digits{all.substr(0, integer_length), all.substr(integer_length)};
  const size_t first_significant = digits.integer.find_first_not_of('0');
  digits.integer.erase(0, first_significant == std::string::npos ? digits.integer.size() : first_significant);
  return digits;
}

std::string Write(const Section& section, Digits digits, std::string_view sign = "") {
  std::string text = section.prefix;
  if (section.has_number) {
    text += sign;
    if (digits.integer.size() < section.integer_zeros) {
      digits.integer.insert(0, section.integer_zeros - digits.integer.size(), '0');
    }
    while (digits.decimals.size() > section.decimal_zeros && digits.decimals.back() == '0') {
      digits.decimals.pop_back();
    }
    text += digits.integer;
    if (!digits.decimals.empty()) text += "." + digits.decimals;
  }
  return text + section.suffix;
}

}  // namespace

std::string FormatNumber(double value, std::string_view format) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (format.empty()) return SqlNumber(value);

  const std::vector<std::string_view> texts = SplitSections(format);
  const Section positive = ParseSection(texts[0]);
  const bool negative_section = texts.size() > 1 && !texts[1].empty();
  const bool zero_section = texts.size() > 2 && !texts[2].empty();
  const bool negative = value < 0;

  const Section section = negative && negative_section ? ParseSection(texts[1]) : positive;
  const Digits digits = RoundedDigits(std::fabs(value), section.decimal_places);
  if (digits.IsZero()) {
    if (zero_section) {
      const Section zero = ParseSection(texts[2]);
      return Write(zero, RoundedDigits(0, zero.decimal_places));
    }
    return Write(positive, RoundedDigits(0, positive.decimal_places));
  }
  if (negative && !negative_section) return Write(section, digits, "-");
  return Write(section, digits);
}

}  // namespace money
