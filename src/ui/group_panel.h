#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

namespace money {

inline constexpr const char* kGroupPanelHint = "将列表头拖放至此可进行分组汇总。";

// The band above a grid's column headers into which the operator drags headers to group the rows. We
// paint it ourselves: background RGB 192,220,192, text blue; while nothing is grouped, the hint at 10, 6;
// otherwise the grouped columns' headers, outermost first, which can be dragged out again or to another
// place in the band.
class GroupPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHintLeft = 10;
  static constexpr int kHintTop = 6;

  struct Group {
    std::string field;
    QString caption;
  };

  // `grid` marks the drags this panel starts and accepts.
  GroupPanel(const QObject* grid, QWidget* parent = nullptr);

  void SetGroups(std::vector<Group> groups);
  // The header box of the group at a level, in panel coordinates.
  QRect GroupRect(size_t level) const;
  QSize sizeHint() const override;

 signals:
  // A header was dropped here: group by its field at this level (0 outermost).
  void GroupRequested(const QString& field, int level);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  int BoxHeight() const;
  int LevelAt(int x, const std::string& dragged) const;

  const QObject* grid_;
  std::vector<Group> groups_;
  int pressed_ = -1;
  QPoint press_position_;
};

}  // namespace money
