#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/field_value.h"

namespace money {

class LedgerDatabase;
class QueryDataset;

// The rows of one SELECT kept in memory, read from the query's cursor in batches only when asked for,
// so that a list of a million rows costs what its first batch costs until more is wanted. Rows are held
// compactly (one small cell per field, texts in one shared buffer). The cursor is let go as soon as the
// last row has been read.
class RowCache {
 public:
  // Runs the query (its first row is stepped to, none is kept). Throws DatabaseError.
  RowCache(LedgerDatabase& database, std::string select_text, size_t batch_size);
  RowCache(RowCache&&) noexcept;
  RowCache& operator=(RowCache&&) noexcept;
  ~RowCache();

  const std::vector<std::string>& FieldNames() const { return field_names_; }
  // Index of a field, ignoring letter case; -1 when the query has none of that name.
  int FieldIndex(std::string_view name) const;

  size_t LoadedCount() const { return field_names_.empty() ? 0 : cells_.size() / field_names_.size(); }
  bool AllLoaded() const { return cursor_ == nullptr; }
  // Reads at most one batch more; returns the number of rows read.
  size_t FetchMore();
  // Reads every row not read yet; returns the number of rows read.
  size_t LoadAll();
  // Runs the query again: the rows held so far are dropped and none is read.
  void Refresh();

  FieldValue Value(size_t row, int field) const;
  // NULL as "", numbers as FieldText writes them.
  std::string Text(size_t row, int field) const;
  double Number(size_t row, int field) const;
  bool IsNumber(size_t row, int field) const;

  const std::string& SelectText() const { return select_text_; }

 private:
  enum class CellKind : std::uint8_t { kNull, kInteger, kReal, kText };
  struct Cell {
    CellKind kind = CellKind::kNull;
    std::uint32_t size = 0;  // text length in bytes
    union {
      long long integer = 0;
      double real;
      size_t offset;  // text start in texts_
    };
  };

  void Open();
  size_t Read(size_t limit);
  const Cell& At(size_t row, int field) const;

  LedgerDatabase* database_;
  std::string select_text_;
  size_t batch_size_;
  std::unique_ptr<QueryDataset> cursor_;
  std::vector<std::string> field_names_;
  std::vector<Cell> cells_;
  std::string texts_;
};

}  // namespace money
