#pragma once

#include <string>
#include <string_view>

namespace money {

// A UTF-8 text in UTF-16, as the workbook and the compound file store texts. A byte that does not start
// a well-formed UTF-8 sequence becomes U+FFFD; characters beyond U+FFFF become surrogate pairs.
std::u16string Utf16OfUtf8(std::string_view text);

}  // namespace money
