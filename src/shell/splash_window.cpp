#include "shell/splash_window.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScreen>

#include "ui/pictures.h"

namespace money {
namespace {

constexpr QSize kClientSize(374, 221);

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(SplashPicture(kClientSize)) {
  setObjectName(QStringLiteral("TForm2"));
  setFixedSize(kClientSize);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

void SplashWindow::ShowCentred() {
  const QRect screen = this->screen()->geometry();
  move(screen.x() + (screen.width() - width()) / 2, screen.y() + (screen.height() - height()) / 2);
  show();
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

}  // namespace money
