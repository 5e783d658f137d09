#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace money {

// What a group row totals: the sum of a field, or the number of rows.
enum class SummaryKind { kSum, kCount };

// One group of an ordered list of rows: the rows at positions [begin, end) share the key of every level
// down to this group's. The whole list is the group of depth 0; groups of the last level hold rows,
// the others hold subgroups. Each group owns its subgroups.
struct RowGroup {
  std::string key;
  size_t begin = 0;
  size_t end = 0;
  std::vector<double> totals;  // one per summary
  RowGroup* parent = nullptr;
  size_t position = 0;  // index among the parent's subgroups
  std::vector<std::unique_ptr<RowGroup>> subgroups;

  size_t Depth() const;
  // The group of the last level holding the row at `row_position` (this group when it has no subgroups).
  const RowGroup& LeafOf(size_t row_position) const;
};

// The key of the row at a position for a grouping level, and the value of a row for a summary.
using GroupKeyOf = std::function<std::string(size_t row_position, size_t level)>;
using SummaryValueOf = std::function<double(size_t row_position, size_t summary)>;

// Splits positions [0, count) level by level into runs of equal keys and totals every group. The list
// must already be ordered so that rows of one key are adjacent on every level.
std::unique_ptr<RowGroup> GroupOrderedRows(size_t count, size_t levels, const GroupKeyOf& key_of,
                                           const std::vector<SummaryKind>& summaries,
                                           const SummaryValueOf& value_of);

}  // namespace money
