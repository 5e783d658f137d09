#include "storage/sql_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace money {

std::string QuoteSql(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '\'';
  for (char c : text) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  quoted += '\'';
  return quoted;
}

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kLargestFixedExponent = 14;  // up to 15 digits before the point
constexpr int kSmallestFixedExponent = -5;  // down to 0.00001

}  // namespace

std::string SqlNumber(double value) {
  if (!std::isfinite(value)) throw std::domain_error("an amount must be a finite number");
  if (value == 0) return "0";

  // Scientific form with 14 decimals rounds to 15 significant digits and gives them with the decimal
  // exponent after rounding. Unlike printf, to_chars writes "." as decimal point in every locale.
  char buffer[40] = {};  // the last place stays the terminating null
  std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value), std::chars_format::scientific,
                kSignificantDigits - 1);
  const std::string_view scientific(buffer);
  const size_t e = scientific.find('e');
  std::string digits;
  digits += scientific[0];
  digits += scientific.substr(2, e - 2);
  const int exponent = std::atoi(buffer + e + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = value < 0 ? "-" : "";
  if (exponent > kLargestFixedExponent || exponent < kSmallestFixedExponent) {
    text += digits[0];
    if (digits.size() > 1) text += "." + digits.substr(1);
    text += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    text += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else {
    const size_t integer_digits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integer_digits) {
      text += digits + std::string(integer_digits - digits.size(), '0');
    } else {
      text += digits.substr(0, integer_digits) + "." + digits.substr(integer_digits);
    }
  }
  return text;
}

}  // namespace money
