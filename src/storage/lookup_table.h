#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "storage/row_cache.h"

namespace money {

class LedgerDatabase;

// A small list read once in full (a snapshot), whose rows are found by the text of one key field: the
// look-ups of a list, such as the long name of a subject code.
class LookupTable {
 public:
  // Reads every row of the query. Throws DatabaseError.
  LookupTable(LedgerDatabase& database, std::string select_text, std::string_view key_field);

  // The text of `field` in the row whose key is `key`; "" when there is no such row or field. The first
  // of several rows with one key wins.
  std::string Text(std::string_view key, std::string_view field) const;
  size_t Size() const { return rows_.LoadedCount(); }

 private:
  struct KeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
  };

  RowCache rows_;
  std::unordered_map<std::string, size_t, KeyHash, std::equal_to<>> row_of_key_;
};

}  // namespace money
