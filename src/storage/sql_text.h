#pragma once

#include <string>
#include <string_view>

namespace money {

// A text written as an SQL literal: single quotes around it, every single quote inside doubled.
std::string QuoteSql(std::string_view text);

// An amount written into SQL text: rounded to 15 significant digits, shortest form, "." as decimal point.
// Scientific form ("1E15", "1.5E-6") only at or above 1E15 or below 0.00001 in magnitude.
// Throws std::domain_error for infinities and NaN, which no statement can carry.
std::string SqlNumber(double value);

}  // namespace money
