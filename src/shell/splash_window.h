#pragma once

#include <QPixmap>
#include <QWidget>

namespace money {

// The splash window (TForm2): borderless, white, on top, its 374 x 221 client area filled by a picture.
class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SplashWindow(QWidget* parent = nullptr);

  // Centres the window on the screen, shows it and paints it at once.
  void ShowCentred();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace money
