#pragma once

#include <string>

namespace money {

class LedgerDatabase;

// The count and sum of a detail ledger's lines, as its totals query computes them over all its lines.
struct DetailTotals {
  long long count = 0;
  double sum = 0;
};

// Reads `ct` and `sumje` from the one row of a totals query; the sum over no lines (NULL) reads as 0.
// Throws DatabaseError.
DetailTotals ReadDetailTotals(LedgerDatabase& database, const std::string& totals_query);

// The summary footer's texts: "个数=" and the count under "流水号"; the sum with exactly two decimals and
// no thousands separator under "金额".
std::string CountFooterText(long long count);
std::string SumFooterText(double sum);

}  // namespace money
