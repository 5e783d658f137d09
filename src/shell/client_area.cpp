#include "shell/client_area.h"

#include <QResizeEvent>

#include "ui/pictures.h"

namespace money {

ClientArea::ClientArea(QWidget* parent) : QMdiArea(parent) {
  setObjectName(QStringLiteral("ClientArea"));
  setBackground(BackgroundPicture(viewport()->size()));
}

void ClientArea::resizeEvent(QResizeEvent* event) {
  QMdiArea::resizeEvent(event);
  setBackground(BackgroundPicture(viewport()->size()));
}

}  // namespace money
