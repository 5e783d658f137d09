#include "ui/grid_header.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

#include <algorithm>
#include <cstdlib>

#include "ui/grid_column_drag.h"
#include "ui/grid_model.h"

namespace money {

GridHeader::GridHeader(const QObject* grid, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), grid_(grid) {
  setObjectName("GridHeader");
  setSectionsMovable(true);
  setSortIndicatorClearable(true);
  setSortIndicator(-1, Qt::AscendingOrder);
  setStretchLastSection(false);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
}

void GridHeader::SetFilteredSections(std::set<int> logical_indexes) {
  filtered_ = std::move(logical_indexes);
  viewport()->update();
}

void GridHeader::SetFilterButtons(bool shown) {
  filter_buttons_ = shown;
  viewport()->update();
}

QRect GridHeader::FilterButtonRect(int logical_index) const {
  if (!filter_buttons_ || logical_index < 0 || isSectionHidden(logical_index)) return {};
  const int right = sectionViewportPosition(logical_index) + sectionSize(logical_index);
  const int width = std::min(kFilterButtonWidth, sectionSize(logical_index) / 2);
  return {right - width, 0, width, height()};
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logical_index) const {
  if (!filter_buttons_) {
    QHeaderView::paintSection(painter, rect, logical_index);
    return;
  }
  const int button_width = std::min(kFilterButtonWidth, rect.width() / 2);
  painter->save();  // the header clips to the section it paints
  QHeaderView::paintSection(painter, rect.adjusted(0, 0, -button_width, 0), logical_index);
  painter->restore();
  const QRect button(rect.right() - button_width + 1, rect.top(), button_width, rect.height());
  QStyleOptionHeader section;
  section.initFrom(this);
  section.rect = button;
  style()->drawControl(QStyle::CE_HeaderSection, &section, painter, this);
  // A small downward triangle; blue while the column is filtered.
  const QPointF centre = QRectF(button).center();
  QPainterPath arrow;
  arrow.moveTo(centre.x() - 3.5, centre.y() - 2);
  arrow.lineTo(centre.x() + 3.5, centre.y() - 2);
  arrow.lineTo(centre.x(), centre.y() + 2);
  arrow.closeSubpath();
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->fillPath(arrow, filtered_.count(logical_index) > 0 ? QColor(Qt::blue) : palette().color(QPalette::Dark));
  painter->restore();
}

bool GridHeader::NearSectionEdge(const QPoint& position) const {
  const int section = logicalIndexAt(position);
  if (section < 0) return false;
  const int margin = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
  const int left = sectionViewportPosition(section);
  const int right = left + sectionSize(section);
  return position.x() - left < margin || right - position.x() <= margin;
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  const int section = logicalIndexAt(position);
  if (event->button() == Qt::LeftButton && section >= 0) {
    if (FilterButtonRect(section).contains(position)) {
      emit FilterRequested(section);
      event->accept();
      return;
    }
    if (!NearSectionEdge(position)) {
      press_pending_ = true;
      pressed_section_ = section;
      press_position_ = position;
      event->accept();
      return;
    }
  }
  QHeaderView::mousePressEvent(event);
}

void GridHeader::ReplayPress(QMouseEvent* event) {
  press_pending_ = false;
  QMouseEvent press(QEvent::MouseButtonPress, press_position_, mapToGlobal(press_position_), Qt::LeftButton,
                    Qt::LeftButton, event->modifiers());
  QHeaderView::mousePressEvent(&press);
}

void GridHeader::mouseMoveEvent(QMouseEvent* event) {
  if (press_pending_) {
    const QPoint moved = event->position().toPoint() - press_position_;
    if (moved.manhattanLength() < QApplication::startDragDistance()) return;
    if (std::abs(moved.y()) > std::abs(moved.x())) {
      press_pending_ = false;
      StartGroupDrag(pressed_section_);
      return;
    }
    ReplayPress(event);
  }
  QHeaderView::mouseMoveEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event) {
  if (press_pending_) ReplayPress(event);
  QHeaderView::mouseReleaseEvent(event);
}

void GridHeader::StartGroupDrag(int logical_index) {
  const auto* grid_model = qobject_cast<const GridModel*>(model());
  if (grid_model == nullptr || logical_index < 0 || logical_index >= grid_model->columnCount()) return;
  emit GroupDragStarted(logical_index);
  const std::string& field = grid_model->Columns()[static_cast<size_t>(logical_index)].field;
  auto* drag = new QDrag(this);
  drag->setMimeData(ColumnDragData(grid_, field));
  const QRect section(sectionViewportPosition(logical_index), 0, sectionSize(logical_index), height());
  drag->setPixmap(viewport()->grab(section));
  drag->exec(Qt::MoveAction);
}

void GridHeader::dragEnterEvent(QDragEnterEvent* event) {
  if (DraggedColumn(event->mimeData(), grid_)) event->acceptProposedAction();
}

void GridHeader::dragMoveEvent(QDragMoveEvent* event) {
  if (DraggedColumn(event->mimeData(), grid_)) event->acceptProposedAction();
}

void GridHeader::dropEvent(QDropEvent* event) {
  const auto field = DraggedColumn(event->mimeData(), grid_);
  if (!field) return;
  event->acceptProposedAction();
  emit ColumnDroppedBack(QString::fromStdString(*field));
}

}  // namespace money

