#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/field_value.h"

namespace money {

// A copy of one loaded row of a tree list, read by field name ignoring letter case, like a query's row.
class TreeRow {
 public:
  TreeRow(std::shared_ptr<const std::vector<std::string>> field_names, std::vector<FieldValue> values);

  // Throw std::invalid_argument for a field the query does not have.
  FieldValue Value(std::string_view field) const;
  std::string Text(std::string_view field) const;
  double Number(std::string_view field) const;

 private:
  std::shared_ptr<const std::vector<std::string>> field_names_;
  std::vector<FieldValue> values_;
};

// Index of a field among the names, ignoring letter case; throws std::invalid_argument when missing.
size_t RequireFieldIndex(const std::vector<std::string>& field_names, std::string_view field);

}  // namespace money
