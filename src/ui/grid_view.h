#pragma once

#include <QTreeView>

namespace money {

// The rows of a group grid: whole-row selection, no editing, group rows drawn across all columns,
// grouped columns dragged back from the group panel taken here.
class GridView : public QTreeView {
  Q_OBJECT

 public:
  // `grid` marks the drags this view accepts.
  GridView(const QObject* grid, QWidget* parent = nullptr);

  // Keeps the tree's branches in the first column shown (a grouped column is hidden).
  void UpdateTreePosition();
  // Lays the rows out without the tree view's own fetch of one more batch.
  void doItemsLayout() override;

 signals:
  void ColumnDroppedBack(const QString& field);

 protected:
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  const QObject* grid_;
};

}  // namespace money
