#pragma once

#include <string>
#include <vector>

namespace money {

class LedgerDatabase;

// Verifies the books: every balance equals the sum of its posting lines, every line has its entry, each
// entry has exactly one detail line per side (and the lines of both ancestor chains), the counter is at
// least the greatest serial number, and codes, parents, levels and long names are well formed.
// Returns one readable line per violation; empty when the books are sound.
std::vector<std::string> CheckLedger(LedgerDatabase& database);

}  // namespace money
