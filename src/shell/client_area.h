#pragma once

#include <QMdiArea>

namespace money {

// The main window's client area, where the child windows live, with the background picture drawn to
// its size whenever that changes (never tiled, never stretched).
class ClientArea : public QMdiArea {
  Q_OBJECT

 public:
  explicit ClientArea(QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace money
