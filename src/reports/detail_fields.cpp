#include "reports/detail_fields.h"

#include "storage/query_dataset.h"

namespace money {

namespace {

constexpr const char* kJournalLookup = "select * from B_SZ order by lsh";
constexpr const char* kChartLookup = "select * from B_KM order by id";
constexpr const char* kKindTexts[] = {"收入", "支出", "转帐"};

std::string TextOf(const std::optional<LookupTable>& table, std::string_view key, std::string_view field) {
  return table ? table->Text(key, field) : std::string();
}

}  // namespace

std::string KindText(const FieldValue& kind) {
  const double number = FieldNumber(kind);
  for (int k = 1; k <= 3; ++k) {
    if (number == k) return kKindTexts[k - 1];
  }
  return {};
}

void DetailLookups::Open(LedgerDatabase& database) {
  Close();
  try {
    journal_.emplace(database, kJournalLookup, "lsh");
    chart_.emplace(database, kChartLookup, "id");
  } catch (...) {
    Close();
    throw;
  }
}

void DetailLookups::Close() {
  journal_.reset();
  chart_.reset();
}

std::string DetailLookups::SubjectName(std::string_view code) const { return TextOf(chart_, code, "lmc"); }

std::string DetailLookups::Memo(std::string_view serial) const { return TextOf(journal_, serial, "zy"); }

std::string DetailLookups::OperatorName(std::string_view serial) const { return TextOf(journal_, serial, "UNAME"); }

}  // namespace money
