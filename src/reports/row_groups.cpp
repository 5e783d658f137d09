#include "reports/row_groups.h"

#include <algorithm>

namespace money {

size_t RowGroup::Depth() const {
  size_t depth = 0;
  for (const RowGroup* group = parent; group != nullptr; group = group->parent) ++depth;
  return depth;
}

const RowGroup& RowGroup::LeafOf(size_t row_position) const {
  const RowGroup* group = this;
  while (!group->subgroups.empty()) {
    const auto& children = group->subgroups;
    auto after = std::upper_bound(children.begin(), children.end(), row_position,
                                  [](size_t position, const auto& child) { return position < child->begin; });
    if (after != children.begin()) --after;
    group = after->get();
  }
  return *group;
}

namespace {

struct Grouping {
  size_t levels;
  const GroupKeyOf& key_of;
  const std::vector<SummaryKind>& summaries;
  const SummaryValueOf& value_of;

  void Split(RowGroup& group, size_t level) const {
    group.totals.assign(summaries.size(), 0.0);
    if (level == levels) {
      for (size_t s = 0; s < summaries.size(); ++s) {
        if (summaries[s] == SummaryKind::kCount) {
          group.totals[s] = static_cast<double>(group.end - group.begin);
        } else {
          for (size_t position = group.begin; position < group.end; ++position) {
            group.totals[s] += value_of(position, s);
          }
        }
      }
      return;
    }
    for (size_t position = group.begin; position < group.end; ++position) {
      std::string key = key_of(position, level);
      if (group.subgroups.empty() || group.subgroups.back()->key != key) {
        auto child = std::make_unique<RowGroup>();
        child->key = std::move(key);
        child->begin = position;
        child->parent = &group;
        child->position = group.subgroups.size();
        group.subgroups.push_back(std::move(child));
      }
      group.subgroups.back()->end = position + 1;
    }
    for (auto& child : group.subgroups) {
      Split(*child, level + 1);
      for (size_t s = 0; s < summaries.size(); ++s) group.totals[s] += child->totals[s];
    }
  }
};

}  // namespace

std::unique_ptr<RowGroup> GroupOrderedRows(size_t count, size_t levels, const GroupKeyOf& key_of,
                                           const std::vector<SummaryKind>& summaries,
                                           const SummaryValueOf& value_of) {
  auto whole = std::make_unique<RowGroup>();
  whole->end = count;
  Grouping{levels, key_of, summaries, value_of}.Split(*whole, 0);
  return whole;
}

}  // namespace money
