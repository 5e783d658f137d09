#include "reports/detail_totals.h"

#include "reports/detail_messages.h"
#include "reports/display_format.h"
#include "storage/ledger_database.h"

namespace money {

namespace {

constexpr const char* kSumFormat = "0.00";

}  // namespace

DetailTotals ReadDetailTotals(LedgerDatabase& database, const std::string& totals_query) {
  QueryDataset totals = database.OpenQuery(totals_query);
  if (totals.Eof()) return {};
  return {totals.Integer("ct"), totals.Double("sumje")};
}

std::string CountFooterText(long long count) { return kDetailCountPrefix + std::to_string(count); }

std::string SumFooterText(double sum) { return FormatNumber(sum, kSumFormat); }

}  // namespace money
