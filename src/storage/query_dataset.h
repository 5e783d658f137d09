#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/field_value.h"

namespace money {

class LedgerDatabase;
class ReadConnection;
class Statement;

// The rows of one SELECT, read lazily: a cursor positioned on the first row when opened, stepped with
// Next(). Fields are read by column name, ignoring letter case; NULL reads as "" or 0.
class QueryDataset {
 public:
  QueryDataset(LedgerDatabase& database, std::string select_text);
  // A query of our own (not of the ledger's dialect) whose "?" marks take the given values.
  QueryDataset(LedgerDatabase& database, std::string select_text, std::vector<FieldValue> parameters);
  // A query run on a read-only connection of its own, which the dataset keeps.
  QueryDataset(LedgerDatabase& database, std::string select_text, std::unique_ptr<ReadConnection> connection);
  QueryDataset(QueryDataset&&) noexcept;
  QueryDataset& operator=(QueryDataset&&) noexcept;
  ~QueryDataset();

  bool Eof() const { return eof_; }
  void Next();
  // Runs the query again and stands on its first row.
  void Refresh();
  // Refreshes, then moves to the first row whose field equals the value; false (and Eof) when none does.
  bool Locate(std::string_view field, std::string_view value, bool ignore_case);

  const std::vector<std::string>& FieldNames() const { return field_names_; }
  // Index of a column, ignoring letter case; -1 when the query has no such column.
  int FieldIndex(std::string_view name) const;

  bool IsNull(std::string_view field) const;
  std::string Text(std::string_view field) const;
  double Double(std::string_view field) const;
  long long Integer(std::string_view field) const;
  FieldValue Value(int index) const;
  FieldValue Value(std::string_view field) const;
  std::vector<FieldValue> Row() const;

  const std::string& SelectText() const { return select_text_; }

 private:
  int RequireField(std::string_view name) const;
  void Run();

  LedgerDatabase* database_;
  std::string select_text_;
  bool own_statement_ = false;
  std::vector<FieldValue> parameters_;
  std::unique_ptr<ReadConnection> own_connection_;  // declared before the statement, which it outlives
  std::unique_ptr<Statement> statement_;
  std::vector<std::string> field_names_;
  bool eof_ = true;
};

// Text of a field value as a grid or a comparison shows it (NULL as "").
std::string FieldText(const FieldValue& value);
double FieldNumber(const FieldValue& value);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// The position of a field among field names, ignoring letter case; -1 when none has that name.
int IndexOfField(const std::vector<std::string>& field_names, std::string_view name);

}  // namespace money
