#include "ui/group_panel.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include "ui/grid_column_drag.h"

namespace money {

namespace {

const QColor kBackground(192, 220, 192);
constexpr int kBoxPadding = 8;
constexpr int kBoxGap = 6;

}  // namespace

GroupPanel::GroupPanel(const QObject* grid, QWidget* parent) : QWidget(parent), grid_(grid) {
  setObjectName("GroupPanel");
  setAcceptDrops(true);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void GroupPanel::SetGroups(std::vector<Group> groups) {
  groups_ = std::move(groups);
  pressed_ = -1;
  update();
}

int GroupPanel::BoxHeight() const { return fontMetrics().height() + kBoxPadding; }

QSize GroupPanel::sizeHint() const { return {200, kHintTop * 2 + BoxHeight()}; }

QRect GroupPanel::GroupRect(size_t level) const {
  int left = kHintLeft;
  for (size_t i = 0; i < groups_.size(); ++i) {
    const int width = fontMetrics().horizontalAdvance(groups_[i].caption) + 2 * kBoxPadding;
    if (i == level) return {left, kHintTop, width, BoxHeight()};
    left += width + kBoxGap;
  }
  return {};
}

void GroupPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  if (groups_.empty()) {
    painter.setPen(Qt::blue);
    painter.drawText(QRect(kHintLeft, kHintTop, width() - kHintLeft, height() - kHintTop), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromUtf8(kGroupPanelHint));
    return;
  }
  for (size_t level = 0; level < groups_.size(); ++level) {
    QStyleOptionHeader box;
    box.initFrom(this);
    box.rect = GroupRect(level);
    box.text = groups_[level].caption;
    box.textAlignment = Qt::AlignCenter;
    box.palette.setColor(QPalette::ButtonText, Qt::blue);
    style()->drawControl(QStyle::CE_Header, &box, &painter, this);
  }
}

void GroupPanel::mousePressEvent(QMouseEvent* event) {
  pressed_ = -1;
  for (size_t level = 0; level < groups_.size(); ++level) {
    if (event->button() == Qt::LeftButton && GroupRect(level).contains(event->position().toPoint())) {
      pressed_ = static_cast<int>(level);
      press_position_ = event->position().toPoint();
    }
  }
}

void GroupPanel::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_ < 0 || !(event->buttons() & Qt::LeftButton)) return;
  if ((event->position().toPoint() - press_position_).manhattanLength() < QApplication::startDragDistance()) return;
  const Group dragged = groups_[static_cast<size_t>(pressed_)];
  pressed_ = -1;
  auto* drag = new QDrag(this);
  drag->setMimeData(ColumnDragData(grid_, dragged.field));
  drag->exec(Qt::MoveAction);
}

int GroupPanel::LevelAt(int x, const std::string& dragged) const {
  int level = 0;
  for (size_t i = 0; i < groups_.size(); ++i) {
    if (groups_[i].field != dragged && GroupRect(i).center().x() < x) ++level;
  }
  return level;
}

void GroupPanel::dragEnterEvent(QDragEnterEvent* event) {
  if (DraggedColumn(event->mimeData(), grid_)) event->acceptProposedAction();
}

void GroupPanel::dragMoveEvent(QDragMoveEvent* event) {
  if (DraggedColumn(event->mimeData(), grid_)) event->acceptProposedAction();
}

void GroupPanel::dropEvent(QDropEvent* event) {
  const auto field = DraggedColumn(event->mimeData(), grid_);
  if (!field) return;
  event->acceptProposedAction();
  emit GroupRequested(QString::fromStdString(*field), LevelAt(event->position().toPoint().x(), *field));
}

}  // namespace money
