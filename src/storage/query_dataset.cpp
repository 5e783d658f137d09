#include "storage/query_dataset.h"

#include <algorithm>
#include <charconv>
#include <sqlite3.h>

#include "storage/database_error.h"
#include "storage/ledger_database.h"
#include "storage/statement.h"

namespace money {

namespace {

// Letter case of ASCII letters only: std::tolower follows the process locale, and in a Turkish one
// leaves "I" as it is.
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The number at the front of a text, after blanks and an optional plus sign, with "." as decimal point
// in every locale; 0 when the text begins with no number.
double NumberAtFront(std::string_view text) {
  size_t start = std::min(text.find_first_not_of(" \t\n\v\f\r"), text.size());
  if (start + 1 < text.size() && text[start] == '+' && text[start + 1] != '-') ++start;
  double number = 0;
  const std::from_chars_result read = std::from_chars(text.data() + start, text.data() + text.size(), number);
  return read.ec == std::errc() ? number : 0;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string FieldText(const FieldValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* integer = std::get_if<long long>(&value)) return std::to_string(*integer);
  if (const auto* number = std::get_if<double>(&value)) {
    // As "%.15g" writes it, but with "." as decimal point whatever the process locale.
    char buffer[32] = {};  // the last place stays the terminating null
    std::to_chars(buffer, buffer + sizeof buffer - 1, *number, std::chars_format::general, 15);
    return buffer;
  }
  return {};
}

double FieldNumber(const FieldValue& value) {
  if (const auto* number = std::get_if<double>(&value)) return *number;
  if (const auto* integer = std::get_if<long long>(&value)) return static_cast<double>(*integer);
  if (const auto* text = std::get_if<std::string>(&value)) return NumberAtFront(*text);
  return 0;
}

QueryDataset::QueryDataset(LedgerDatabase& database, std::string select_text)
    : database_(&database), select_text_(std::move(select_text)) {
  Run();
}

QueryDataset::QueryDataset(LedgerDatabase& database, std::string select_text, std::vector<FieldValue> parameters)
    : database_(&database),
      select_text_(std::move(select_text)),
      own_statement_(true),
      parameters_(std::move(parameters)) {
  Run();
}

QueryDataset::QueryDataset(LedgerDatabase& database, std::string select_text,
                           std::unique_ptr<ReadConnection> connection)
    : database_(&database), select_text_(std::move(select_text)), own_connection_(std::move(connection)) {
  Run();
}

QueryDataset::QueryDataset(QueryDataset&&) noexcept = default;
QueryDataset& QueryDataset::operator=(QueryDataset&&) noexcept = default;
QueryDataset::~QueryDataset() = default;

void QueryDataset::Run() {
  statement_.reset();
  statement_ = std::make_unique<Statement>(own_connection_
                                               ? database_->PrepareReadOn(own_connection_->Handle(), select_text_)
                                               : database_->PrepareRead(select_text_, own_statement_));
  for (size_t i = 0; i < parameters_.size(); ++i) statement_->Bind(static_cast<int>(i) + 1, parameters_[i]);
  field_names_.clear();
  for (int i = 0; i < statement_->ColumnCount(); ++i) field_names_.push_back(statement_->ColumnName(i));
  eof_ = !statement_->Step();
}

void QueryDataset::Next() {
  if (!eof_) eof_ = !statement_->Step();
}

void QueryDataset::Refresh() { Run(); }

bool QueryDataset::Locate(std::string_view field, std::string_view value, bool ignore_case) {
  const int index = RequireField(field);
  Refresh();
  for (; !eof_; Next()) {
    const std::string text = FieldText(Value(index));
    if (ignore_case ? EqualsIgnoringCase(text, value) : text == value) return true;
  }
  return false;
}

int IndexOfField(const std::vector<std::string>& field_names, std::string_view name) {
  for (size_t i = 0; i < field_names.size(); ++i) {
    if (EqualsIgnoringCase(field_names[i], name)) return static_cast<int>(i);
  }
  return -1;
}

int QueryDataset::FieldIndex(std::string_view name) const { return IndexOfField(field_names_, name); }

int QueryDataset::RequireField(std::string_view name) const {
  const int index = FieldIndex(name);
  if (index < 0) {
    throw DatabaseError("no field named " + std::string(name), SQLITE_ERROR, SQLITE_ERROR, select_text_);
  }
  return index;
}

FieldValue QueryDataset::Value(int index) const {
  if (eof_) throw DatabaseError("no current row", SQLITE_MISUSE, SQLITE_MISUSE, select_text_);
  switch (statement_->ColumnType(index)) {
    case SQLITE_INTEGER:
      return statement_->Integer(index);
    case SQLITE_FLOAT:
      return statement_->Double(index);
    case SQLITE_NULL:
      return std::monostate{};
    default:
      return statement_->Text(index);
  }
}

FieldValue QueryDataset::Value(std::string_view field) const { return Value(RequireField(field)); }

bool QueryDataset::IsNull(std::string_view field) const {
  return std::holds_alternative<std::monostate>(Value(field));
}

std::string QueryDataset::Text(std::string_view field) const { return FieldText(Value(field)); }

double QueryDataset::Double(std::string_view field) const { return FieldNumber(Value(field)); }

long long QueryDataset::Integer(std::string_view field) const {
  const FieldValue value = Value(field);
  if (const auto* integer = std::get_if<long long>(&value)) return *integer;
  return static_cast<long long>(FieldNumber(value));
}

std::vector<FieldValue> QueryDataset::Row() const {
  std::vector<FieldValue> row;
  row.reserve(field_names_.size());
  for (size_t i = 0; i < field_names_.size(); ++i) row.push_back(Value(static_cast<int>(i)));
  return row;
}

}  // namespace money
