#pragma once

#include <string>
#include <string_view>

#include "storage/query_dataset.h"
#include "storage/row_cache.h"

namespace money {

// One row of a RowCache, read by field name. A field the query does not have reads like NULL: "" and 0.
class RowView {
 public:
  RowView(const RowCache& rows, size_t row) : rows_(&rows), row_(row) {}

  FieldValue Value(std::string_view field) const {
    const int index = rows_->FieldIndex(field);
    return index < 0 ? FieldValue{} : rows_->Value(row_, index);
  }
  std::string Text(std::string_view field) const { return FieldText(Value(field)); }
  double Number(std::string_view field) const { return FieldNumber(Value(field)); }

 private:
  const RowCache* rows_;
  size_t row_;
};

}  // namespace money
