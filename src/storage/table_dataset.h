#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/field_value.h"
#include "storage/query_dataset.h"

namespace money {

struct TableOptions {
  std::string filter;                   // a condition in the ledger's SQL dialect, e.g. "id=1"
  std::string order_by;                 // e.g. "id"
  std::vector<std::string> key_fields;  // the fields FindKey compares, in order
};

// A whole table (optionally filtered and ordered) whose current row can be edited and written back, and
// to which rows can be appended. Writes bind their values; they never join them into statement text.
class TableDataset {
 public:
  TableDataset(LedgerDatabase& database, std::string table, TableOptions options = {});

  bool Eof() const { return rows_.Eof(); }
  void Next() { rows_.Next(); }
  void Refresh() { rows_.Refresh(); }
  // Moves to the first row whose key fields equal the values (ignoring letter case when asked).
  bool FindKey(const std::vector<std::string>& values, bool ignore_case = false);

  bool IsNull(std::string_view field) const;
  std::string Text(std::string_view field) const;
  double Double(std::string_view field) const;
  long long Integer(std::string_view field) const;

  // Editing: Edit() the current row or Append() a new one, set fields, then Post() or Cancel().
  void Edit();
  void Append();
  void SetField(std::string_view field, FieldValue value);
  void Post();
  void Cancel();
  // Deletes the current row.
  void Delete();

 private:
  enum class Mode { kBrowse, kEdit, kAppend };
  const FieldValue* Pending(std::string_view field) const;
  FieldValue Current(std::string_view field) const;
  void StandOnRow(long long row_key);

  LedgerDatabase* database_;
  std::string table_;
  TableOptions options_;
  QueryDataset rows_;
  Mode mode_ = Mode::kBrowse;
  std::vector<std::pair<std::string, FieldValue>> pending_;
};

}  // namespace money
