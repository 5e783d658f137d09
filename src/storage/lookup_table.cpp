#include "storage/lookup_table.h"

#include <sqlite3.h>

#include "storage/database_error.h"
#include "storage/query_dataset.h"

namespace money {

LookupTable::LookupTable(LedgerDatabase& database, std::string select_text, std::string_view key_field)
    : rows_(database, std::move(select_text), 1) {
  const int key = rows_.FieldIndex(key_field);
  if (key < 0) {
    throw DatabaseError("no field named " + std::string(key_field), SQLITE_ERROR, SQLITE_ERROR, rows_.SelectText());
  }
  rows_.LoadAll();
  row_of_key_.reserve(rows_.LoadedCount());
  for (size_t row = 0; row < rows_.LoadedCount(); ++row) row_of_key_.emplace(rows_.Text(row, key), row);
}

std::string LookupTable::Text(std::string_view key, std::string_view field) const {
  const auto found = row_of_key_.find(key);
  const int index = rows_.FieldIndex(field);
  if (found == row_of_key_.end() || index < 0) return {};
  return rows_.Text(found->second, index);
}

}  // namespace money
