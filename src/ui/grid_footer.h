#pragma once

#include <QString>
#include <QWidget>

#include <map>

class QTreeView;

namespace money {

// The summary footer below a grid's rows: one line of texts, each under its column, following the
// columns as they are moved, resized and scrolled. Filled by the window (e.g. from a totals query).
class GridFooter : public QWidget {
  Q_OBJECT

 public:
  explicit GridFooter(QTreeView* view, QWidget* parent = nullptr);

  void SetText(int logical_column, const QString& text, Qt::Alignment alignment);
  QString Text(int logical_column) const;
  Qt::Alignment AlignmentOf(int logical_column) const;
  void Clear();
  // The cell of a column, in footer coordinates.
  QRect CellRect(int logical_column) const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Cell {
    QString text;
    Qt::Alignment alignment;
  };

  QTreeView* view_;
  std::map<int, Cell> cells_;
};

}  // namespace money
