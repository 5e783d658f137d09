#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace money {

// Blanks and control characters removed from both ends.
std::string Trimmed(std::string_view text);

// The pattern with %1 … %9 replaced by the values in order (a missing value gives nothing).
std::string FillPattern(std::string_view pattern, const std::vector<std::string>& values);

}  // namespace money
