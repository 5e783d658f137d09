#pragma once

#include <string>
#include <string_view>

namespace money {

// The 32-character digest text stored for an operator: code + password, over the text's GBK bytes.
std::string PasswordDigest(std::string_view text);  // text is UTF-8

// Whether every character of the UTF-8 text has a GBK encoding. The login does not refuse text that has
// not: PasswordDigest digests each such character as "?", as if "?" had been typed in its place.
bool IsGbkEncodable(std::string_view text);

}  // namespace money
