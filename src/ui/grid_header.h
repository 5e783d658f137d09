#pragma once

#include <QHeaderView>
#include <QPoint>

#include <set>

namespace money {

// The column headers of a group grid. A click sorts, a drag sideways moves the column, a drag at a
// section's edge resizes it (all as QHeaderView does); a drag upward or downward takes the column to the
// group panel; the button at a section's right opens the column's value filter. Headers dragged back
// from the group panel are taken here.
class GridHeader : public QHeaderView {
  Q_OBJECT

 public:
  static constexpr int kFilterButtonWidth = 14;

  // `grid` marks the drags this header starts and accepts.
  GridHeader(const QObject* grid, QWidget* parent = nullptr);

  void SetFilteredSections(std::set<int> logical_indexes);
  // Whether the sections show their value-filter buttons (they do unless switched off).
  void SetFilterButtons(bool shown);
  // The value-filter button of a section, in header coordinates (empty when the section is hidden or
  // the buttons are off).
  QRect FilterButtonRect(int logical_index) const;

 signals:
  void FilterRequested(int logical_index);
  // A header is being dragged out toward the group panel.
  void GroupDragStarted(int logical_index);
  // A grouped column was dragged from the group panel and dropped here.
  void ColumnDroppedBack(const QString& field);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logical_index) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  bool NearSectionEdge(const QPoint& position) const;
  void ReplayPress(QMouseEvent* event);
  void StartGroupDrag(int logical_index);

  const QObject* grid_;
  std::set<int> filtered_;
  bool filter_buttons_ = true;
  // A press on a section is held back until the mouse shows whether it means a click, a move or a
  // drag to the group panel.
  bool press_pending_ = false;
  int pressed_section_ = -1;
  QPoint press_position_;
};

}  // namespace money
