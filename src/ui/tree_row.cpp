#include "ui/tree_row.h"

#include <stdexcept>

#include "storage/query_dataset.h"

namespace money {

size_t RequireFieldIndex(const std::vector<std::string>& field_names, std::string_view field) {
  const int index = IndexOfField(field_names, field);
  if (index >= 0) return static_cast<size_t>(index);
  throw std::invalid_argument("the tree's rows have no field named " + std::string(field));
}

TreeRow::TreeRow(std::shared_ptr<const std::vector<std::string>> field_names, std::vector<FieldValue> values)
    : field_names_(std::move(field_names)), values_(std::move(values)) {}

FieldValue TreeRow::Value(std::string_view field) const { return values_[RequireFieldIndex(*field_names_, field)]; }

std::string TreeRow::Text(std::string_view field) const { return FieldText(Value(field)); }

double TreeRow::Number(std::string_view field) const { return FieldNumber(Value(field)); }

}  // namespace money
