#include "ui/grid_indicator.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>
#include <QTreeView>

namespace money {

GridIndicator::GridIndicator(QTreeView* view, QWidget* parent) : QWidget(parent), view_(view) {
  setObjectName("RowIndicator");
  setFixedWidth(kWidth);
}

QRect GridIndicator::MarkedRow() const {
  const QModelIndex current = view_->currentIndex();
  if (!current.isValid()) return {};
  const QRect row = view_->visualRect(current);
  const QRect viewport = view_->viewport()->geometry();
  if (row.isEmpty() || row.bottom() < 0 || row.top() >= viewport.height()) return {};
  return {0, viewport.top() + row.top(), kWidth, row.height()};
}

void GridIndicator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
  QStyleOptionHeader corner;
  corner.initFrom(this);
  corner.rect = QRect(0, 0, kWidth, view_->viewport()->geometry().top());
  style()->drawControl(QStyle::CE_HeaderSection, &corner, &painter, this);
  const QRect marked = MarkedRow();
  if (marked.isEmpty()) return;
  const QPointF middle(kWidth / 2.0 + 2, marked.center().y() + 0.5);
  QPainterPath triangle;
  triangle.moveTo(middle.x() - 3, middle.y() - 4);
  triangle.lineTo(middle.x() + 1, middle.y());
  triangle.lineTo(middle.x() - 3, middle.y() + 4);
  triangle.closeSubpath();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(triangle, palette().windowText());
}

}  // namespace money
