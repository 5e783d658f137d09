#pragma once

#include <string>
#include <string_view>

namespace money {

// The calculated fields of the lists, from a date text "yyyy.MM.dd": `ym`, its first 7 characters
// ("yyyy.MM"), and `yy`, its first 4 ("yyyy"). A shorter text is taken whole.
std::string YearMonthOfDate(std::string_view date_text);
std::string YearOfDate(std::string_view date_text);

}  // namespace money
