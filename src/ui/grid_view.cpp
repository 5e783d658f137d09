#include "ui/grid_view.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QPainter>

#include "ui/grid_column_drag.h"
#include "ui/grid_model.h"

namespace money {

GridView::GridView(const QObject* grid, QWidget* parent) : QTreeView(parent), grid_(grid) {
  setObjectName("GridView");
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setRootIsDecorated(false);
  setIndentation(14);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
}

void GridView::UpdateTreePosition() {
  for (int visual = 0; visual < header()->count(); ++visual) {
    const int logical = header()->logicalIndex(visual);
    if (!header()->isSectionHidden(logical)) {
      setTreePosition(logical);
      return;
    }
  }
}

void GridView::doItemsLayout() {
  auto* grid_model = qobject_cast<GridModel*>(model());
  if (grid_model != nullptr) grid_model->HoldFetching(true);
  QTreeView::doItemsLayout();
  if (grid_model != nullptr) grid_model->HoldFetching(false);
}

void GridView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const auto* grid_model = qobject_cast<const GridModel*>(index.model());
  if (grid_model == nullptr || grid_model->KindOf(index) != GridModel::RowKind::kGroup) {
    QTreeView::drawRow(painter, option, index);
    return;
  }
  int depth = 0;
  for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) ++depth;
  const int tree_column = treePosition() < 0 ? header()->logicalIndex(0) : treePosition();
  const int left = columnViewportPosition(tree_column);
  const int right = header()->length() - header()->offset();
  const QRect row(left, option.rect.top(), std::max(0, right - left), option.rect.height());
  const bool selected = selectionModel() != nullptr && selectionModel()->isSelected(index);

  painter->save();
  painter->fillRect(row, selected ? palette().highlight() : palette().alternateBase());
  const int branch_width = (depth + (rootIsDecorated() ? 1 : 0)) * indentation();
  drawBranches(painter, QRect(left, row.top(), branch_width, row.height()), index);
  painter->setPen(selected ? palette().highlightedText().color() : palette().text().color());
  painter->drawText(row.adjusted(branch_width + 4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                    index.siblingAtColumn(0).data().toString());
  painter->restore();
}

void GridView::dragEnterEvent(QDragEnterEvent* event) {
  if (DraggedColumn(event->mimeData(), grid_)) {
    event->acceptProposedAction();
    return;
  }
  QTreeView::dragEnterEvent(event);
}

void GridView::dragMoveEvent(QDragMoveEvent* event) {
  if (DraggedColumn(event->mimeData(), grid_)) {
    event->acceptProposedAction();
    return;
  }
  QTreeView::dragMoveEvent(event);
}

void GridView::dropEvent(QDropEvent* event) {
  if (const auto field = DraggedColumn(event->mimeData(), grid_)) {
    event->acceptProposedAction();
    emit ColumnDroppedBack(QString::fromStdString(*field));
    return;
  }
  QTreeView::dropEvent(event);
}

}  // namespace money
