#include "reports/detail_fields.h"

#include <charconv>

#include "storage/database_error.h"
#include "storage/query_dataset.h"

namespace money {

namespace {

constexpr const char* kEntryBySerial = "select zy,UNAME from B_SZ where lsh=?";
constexpr const char* kChartLookup = "select * from B_KM order by id";
constexpr const char* kKindTexts[] = {"收入", "支出", "转帐"};
// More than a screen of lines many times over, little memory even for long memos.
constexpr size_t kKeptEntries = 4096;

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
    entries_.emplace(database, kEntryBySerial, kKeptEntries);
    chart_.emplace(database, kChartLookup, "id");
  } catch (...) {
    Close();
    throw;
  }
}

void DetailLookups::Close() {
  entries_.reset();
  chart_.reset();
}

std::string DetailLookups::SubjectName(std::string_view code) const {
  return chart_ ? chart_->Text(code, "lmc") : std::string();
}

std::string DetailLookups::Memo(std::string_view serial) const { return EntryText(serial, "zy"); }

std::string DetailLookups::OperatorName(std::string_view serial) const { return EntryText(serial, "UNAME"); }

// A serial number that is not a whole number names no entry.
std::string DetailLookups::EntryText(std::string_view serial, std::string_view field) const {
  long long key = 0;
  const auto [end, error] = std::from_chars(serial.data(), serial.data() + serial.size(), key);
  if (!entries_ || serial.empty() || error != std::errc() || end != serial.data() + serial.size()) return {};
  try {
    return entries_->Text(key, field);
  } catch (const DatabaseError&) {
    // Shown once: the lines painted after it look up "" until the next opening, instead of one error
    // box for every cell repainted.
    entries_.reset();
    throw;
  }
}

}  // namespace money
