#include "storage/table_dataset.h"

#include <sqlite3.h>

#include "storage/database_error.h"
#include "storage/ledger_database.h"
#include "storage/statement.h"

namespace money {

namespace {

constexpr const char* kRowKey = "money_row_key";

std::string SelectOf(const std::string& table, const TableOptions& options) {
  std::string text = std::string("select _rowid_ as ") + kRowKey + ",* from " + table;
  if (!options.filter.empty()) text += " where " + options.filter;
  if (!options.order_by.empty()) text += " order by " + options.order_by;
  return text;
}

}  // namespace

TableDataset::TableDataset(LedgerDatabase& database, std::string table, TableOptions options)
    : database_(&database),
      table_(std::move(table)),
      options_(std::move(options)),
      rows_(database, SelectOf(table_, options_)) {}

bool TableDataset::FindKey(const std::vector<std::string>& values, bool ignore_case) {
  if (values.size() != options_.key_fields.size()) {
    throw DatabaseError("FindKey needs one value per key field of " + table_, SQLITE_MISUSE, SQLITE_MISUSE, "");
  }
  for (rows_.Refresh(); !rows_.Eof(); rows_.Next()) {
    bool all_equal = true;
    for (size_t i = 0; i < values.size() && all_equal; ++i) {
      const std::string text = rows_.Text(options_.key_fields[i]);
      all_equal = ignore_case ? EqualsIgnoringCase(text, values[i]) : text == values[i];
    }
    if (all_equal) return true;
  }
  return false;
}

const FieldValue* TableDataset::Pending(std::string_view field) const {
  for (const auto& [name, value] : pending_) {
    if (EqualsIgnoringCase(name, field)) return &value;
  }
  return nullptr;
}

FieldValue TableDataset::Current(std::string_view field) const {
  if (const FieldValue* pending = Pending(field)) return *pending;
  if (mode_ == Mode::kAppend) return std::monostate{};
  return rows_.Value(field);
}

bool TableDataset::IsNull(std::string_view field) const {
  return std::holds_alternative<std::monostate>(Current(field));
}
std::string TableDataset::Text(std::string_view field) const { return FieldText(Current(field)); }
double TableDataset::Double(std::string_view field) const { return FieldNumber(Current(field)); }
long long TableDataset::Integer(std::string_view field) const {
  const FieldValue value = Current(field);
  if (const auto* integer = std::get_if<long long>(&value)) return *integer;
  return static_cast<long long>(FieldNumber(value));
}

void TableDataset::Edit() {
  if (rows_.Eof()) throw DatabaseError("no current row to edit in " + table_, SQLITE_MISUSE, SQLITE_MISUSE, "");
  mode_ = Mode::kEdit;
  pending_.clear();
}

void TableDataset::Append() {
  mode_ = Mode::kAppend;
  pending_.clear();
}

void TableDataset::SetField(std::string_view field, FieldValue value) {
  if (mode_ == Mode::kBrowse) {
    throw DatabaseError("the table " + table_ + " is not being edited", SQLITE_MISUSE, SQLITE_MISUSE, "");
  }
  for (auto& [name, pending] : pending_) {
    if (EqualsIgnoringCase(name, field)) {
      pending = std::move(value);
      return;
    }
  }
  pending_.emplace_back(std::string(field), std::move(value));
}

void TableDataset::Post() {
  if (mode_ == Mode::kBrowse) return;
  if (mode_ == Mode::kEdit && pending_.empty()) {
    mode_ = Mode::kBrowse;
    return;
  }
  std::string text;
  if (mode_ == Mode::kEdit) {
    text = "update " + table_ + " set ";
    for (size_t i = 0; i < pending_.size(); ++i) text += (i ? "," : "") + pending_[i].first + "=?";
    text += " where _rowid_=?";
  } else {
    text = "insert into " + table_ + "(";
    std::string marks;
    for (size_t i = 0; i < pending_.size(); ++i) {
      text += (i ? "," : "") + pending_[i].first;
      marks += i ? ",?" : "?";
    }
    text += ") values(" + marks + ")";
  }
  long long row_key = 0;
  Statement statement = database_->PrepareOwn(text);
  for (size_t i = 0; i < pending_.size(); ++i) statement.Bind(static_cast<int>(i) + 1, pending_[i].second);
  if (mode_ == Mode::kEdit) {
    row_key = rows_.Integer(kRowKey);
    statement.BindInteger(static_cast<int>(pending_.size()) + 1, row_key);
  }
  statement.Step();
  if (mode_ == Mode::kAppend) row_key = database_->LastInsertRowKey();
  mode_ = Mode::kBrowse;
  pending_.clear();
  StandOnRow(row_key);
}

void TableDataset::Cancel() {
  mode_ = Mode::kBrowse;
  pending_.clear();
}

void TableDataset::Delete() {
  if (rows_.Eof()) throw DatabaseError("no current row to delete in " + table_, SQLITE_MISUSE, SQLITE_MISUSE, "");
  Statement statement = database_->PrepareOwn("delete from " + table_ + " where _rowid_=?");
  statement.BindInteger(1, rows_.Integer(kRowKey));
  statement.Step();
  rows_.Refresh();
}

void TableDataset::StandOnRow(long long row_key) {
  for (rows_.Refresh(); !rows_.Eof(); rows_.Next()) {
    if (rows_.Integer(kRowKey) == row_key) return;
  }
}

}  // namespace money
