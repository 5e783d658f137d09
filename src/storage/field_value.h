#pragma once

#include <string>
#include <variant>

namespace money {

// One field of a row as the store holds it: NULL, an integer, a floating-point number or a text.
using FieldValue = std::variant<std::monostate, long long, double, std::string>;

}  // namespace money
