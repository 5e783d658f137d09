#pragma once

#include <QWidget>

class QTreeView;

namespace money {

// The row indicator: a narrow column left of a grid's rows marking the current row with a triangle.
class GridIndicator : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 12;

  explicit GridIndicator(QTreeView* view, QWidget* parent = nullptr);

  // The band of the current row, in indicator coordinates; empty when no row is current or it is not
  // on screen.
  QRect MarkedRow() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTreeView* view_;
};

}  // namespace money
