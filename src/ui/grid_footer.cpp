#include "ui/grid_footer.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTreeView>

namespace money {

GridFooter::GridFooter(QTreeView* view, QWidget* parent) : QWidget(parent), view_(view) {
  setObjectName("GridFooter");
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  QHeaderView* header = view_->header();
  connect(header, &QHeaderView::sectionResized, this, qOverload<>(&QWidget::update));
  connect(header, &QHeaderView::sectionMoved, this, qOverload<>(&QWidget::update));
  connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

void GridFooter::SetText(int logical_column, const QString& text, Qt::Alignment alignment) {
  cells_[logical_column] = Cell{text, alignment};
  update();
}

QString GridFooter::Text(int logical_column) const {
  const auto found = cells_.find(logical_column);
  return found == cells_.end() ? QString() : found->second.text;
}

Qt::Alignment GridFooter::AlignmentOf(int logical_column) const {
  const auto found = cells_.find(logical_column);
  return found == cells_.end() ? Qt::Alignment(Qt::AlignLeft) : found->second.alignment;
}

void GridFooter::Clear() {
  cells_.clear();
  update();
}

QSize GridFooter::sizeHint() const { return {200, fontMetrics().height() + 8}; }

QRect GridFooter::CellRect(int logical_column) const {
  const QHeaderView* header = view_->header();
  if (header->isSectionHidden(logical_column)) return {};
  const int left = view_->viewport()->geometry().left() + header->sectionViewportPosition(logical_column);
  return {left, 0, header->sectionSize(logical_column), height()};
}

void GridFooter::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
  painter.setPen(palette().mid().color());
  painter.drawLine(rect().topLeft(), rect().topRight());
  painter.setPen(palette().buttonText().color());
  for (const auto& [column, cell] : cells_) {
    const QRect box = CellRect(column);
    if (!box.isEmpty()) painter.drawText(box.adjusted(3, 0, -3, 0), static_cast<int>(cell.alignment | Qt::AlignVCenter), cell.text);
  }
}

}  // namespace money
