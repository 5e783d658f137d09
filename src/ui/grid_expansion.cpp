#include "ui/grid_expansion.h"

#include <QTreeView>

#include "ui/grid_model.h"

namespace money {

GridExpansion GridExpansion::Of(const QTreeView& view, const GridModel& model) {
  GridExpansion expansion;
  expansion.Take(view, model, {});
  return expansion;
}

void GridExpansion::ApplyTo(QTreeView& view, const GridModel& model) const {
  if (!opened_.empty()) Open(view, model, {});
}

// Closed groups are walked too: the view keeps the state of groups inside a closed one.
void GridExpansion::Take(const QTreeView& view, const GridModel& model, const QModelIndex& parent) {
  for (int row = 0; row < model.rowCount(parent); ++row) {
    const QModelIndex index = model.index(row, 0, parent);
    if (model.KindOf(index) != GridModel::RowKind::kGroup) return;  // data rows and footers follow the groups
    if (view.isExpanded(index)) opened_.insert(model.GroupPath(index));
    Take(view, model, index);
  }
}

void GridExpansion::Open(QTreeView& view, const GridModel& model, const QModelIndex& parent) const {
  for (int row = 0; row < model.rowCount(parent); ++row) {
    const QModelIndex index = model.index(row, 0, parent);
    if (model.KindOf(index) != GridModel::RowKind::kGroup) return;
    if (opened_.count(model.GroupPath(index)) > 0) view.expand(index);
    Open(view, model, index);
  }
}

}  // namespace money
