#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/ledger_database.h"

struct sqlite3_stmt;

namespace money {

// The rows of a large table found one at a time by their integer key, read only when asked for: one
// prepared statement of our own on a read-only connection of its own, reset after every read so that no
// snapshot is held between reads. The texts of the rows read last are kept, up to a number of keys; then
// the keeping starts over.
class RowsByKey {
 public:
  // `select_text` selects the wanted fields of the row whose key is its one "?". Throws DatabaseError
  // (no ledger open, a statement SQLite refuses).
  RowsByKey(const LedgerDatabase& database, std::string select_text, size_t kept_keys);
  ~RowsByKey();
  RowsByKey(const RowsByKey&) = delete;
  RowsByKey& operator=(const RowsByKey&) = delete;

  // The text of `field` (by name, ignoring letter case; NULL as "") in the row whose key is `key`; "" when
  // there is no such row or field. Throws DatabaseError when the row cannot be read.
  std::string Text(long long key, std::string_view field);

 private:
  struct Finalizer {
    void operator()(sqlite3_stmt* statement) const;
  };
  // The texts of the row's fields in select order; empty when there is no such row.
  const std::vector<std::string>& Row(long long key);
  std::vector<std::string> Read(long long key);

  std::string select_text_;
  size_t kept_keys_;
  ReadConnection connection_;  // declared before the statement, which it outlives
  std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
  std::vector<std::string> field_names_;
  std::unordered_map<long long, std::vector<std::string>> kept_;
};

}  // namespace money
