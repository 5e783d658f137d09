#include "storage/rows_by_key.h"

#include <sqlite3.h>

#include "storage/database_messages.h"
#include "storage/query_dataset.h"

namespace money {

namespace {

const std::filesystem::path& LedgerFileOf(const LedgerDatabase& database, const std::string& statement) {
  if (!database.Connected()) throw DatabaseError(kNotConnectedMessage, SQLITE_MISUSE, SQLITE_MISUSE, statement);
  return database.File();
}

// Puts the statement back to its start on leaving a read, whichever way: a statement left standing on a
// row would hold its connection's snapshot.
class ResetOnExit {
 public:
  explicit ResetOnExit(sqlite3_stmt* statement) : statement_(statement) {}
  ~ResetOnExit() { sqlite3_reset(statement_); }
  ResetOnExit(const ResetOnExit&) = delete;
  ResetOnExit& operator=(const ResetOnExit&) = delete;

 private:
  sqlite3_stmt* statement_;
};

std::string ColumnText(sqlite3_stmt* statement, int index) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, index));
  if (text == nullptr) return {};
  return std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, index)));
}

}  // namespace

void RowsByKey::Finalizer::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

RowsByKey::RowsByKey(const LedgerDatabase& database, std::string select_text, size_t kept_keys)
    : select_text_(std::move(select_text)),
      kept_keys_(kept_keys),
      connection_(LedgerFileOf(database, select_text_)) {
  sqlite3_stmt* prepared = nullptr;
  if (sqlite3_prepare_v2(connection_.Handle(), select_text_.c_str(), static_cast<int>(select_text_.size()),
                         &prepared, nullptr) != SQLITE_OK) {
    sqlite3_finalize(prepared);
    ThrowDatabaseError(connection_.Handle(), select_text_);
  }
  statement_.reset(prepared);
  if (prepared == nullptr || sqlite3_bind_parameter_count(prepared) != 1 || sqlite3_stmt_readonly(prepared) == 0) {
    throw DatabaseError("a read by key needs one select with one \"?\"", SQLITE_MISUSE, SQLITE_MISUSE, select_text_);
  }
  for (int i = 0; i < sqlite3_column_count(prepared); ++i) field_names_.emplace_back(sqlite3_column_name(prepared, i));
}

RowsByKey::~RowsByKey() = default;

std::string RowsByKey::Text(long long key, std::string_view field) {
  const int index = IndexOfField(field_names_, field);
  if (index < 0) return {};
  const std::vector<std::string>& row = Row(key);
  return row.empty() ? std::string() : row[static_cast<size_t>(index)];
}

const std::vector<std::string>& RowsByKey::Row(long long key) {
  if (const auto found = kept_.find(key); found != kept_.end()) return found->second;
  std::vector<std::string> row = Read(key);
  if (kept_.size() >= kept_keys_) kept_.clear();
  return kept_.emplace(key, std::move(row)).first->second;
}

std::vector<std::string> RowsByKey::Read(long long key) {
  sqlite3_stmt* statement = statement_.get();
  const ResetOnExit reset(statement);
  if (sqlite3_bind_int64(statement, 1, key) != SQLITE_OK) ThrowDatabaseError(connection_.Handle(), select_text_);
  const int result = sqlite3_step(statement);
  if (result == SQLITE_DONE) return {};
  if (result != SQLITE_ROW) ThrowDatabaseError(connection_.Handle(), select_text_);
  std::vector<std::string> row;
  row.reserve(field_names_.size());
  for (int i = 0; i < static_cast<int>(field_names_.size()); ++i) row.push_back(ColumnText(statement, i));
  return row;
}

}  // namespace money
