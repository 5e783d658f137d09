#pragma once

#include <QModelIndex>

#include <set>
#include <string>
#include <vector>

class QTreeView;

namespace money {

class GridModel;

// The groups open in a group grid's view, known by their keys (outermost first), so that the same groups
// can be opened again once the rows have been read anew and the model rebuilt.
class GridExpansion {
 public:
  static GridExpansion Of(const QTreeView& view, const GridModel& model);
  // Opens every group of the model whose keys were open; groups no longer there are passed over.
  void ApplyTo(QTreeView& view, const GridModel& model) const;

 private:
  void Take(const QTreeView& view, const GridModel& model, const QModelIndex& parent);
  void Open(QTreeView& view, const GridModel& model, const QModelIndex& parent) const;

  std::set<std::vector<std::string>> opened_;
};

}  // namespace money
