#pragma once

#include <string>
#include <string_view>

namespace money {

// A number as a grid or tree cell shows it, by a display format of up to three sections separated by ";":
// positive, negative, zero ("0.00;-0.00", "#.##", "0"). In a section, "0" is a digit always written,
// "#" a digit written only when significant, "." the decimal point (left out when no decimal follows);
// any other character is written as it stands, before or after the number. The value is rounded to the
// section's decimals, half away from zero, from its 15 significant digits; a value that rounds to zero
// takes the zero section (else the first). A negative value takes the negative section without its sign,
// or the first section with "-" before the number when there is none. So "#.##" writes 0.5 as ".5" and 0 as "".
std::string FormatNumber(double value, std::string_view format);

}  // namespace money
