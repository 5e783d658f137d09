#pragma once

#include <string>
#include <string_view>

namespace money {

// Rewrites a statement of the ledger's SQL dialect into SQLite's. Outside single-quoted literals:
// "--" is a minus followed by a minus (ye=ye--5 subtracts -5), never a comment; a double-quoted text is a
// string literal ("zuve" as bmmc). Single-quoted literals pass untouched.
std::string AdaptStatement(std::string_view statement);

}  // namespace money
