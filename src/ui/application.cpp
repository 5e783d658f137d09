#include "ui/application.h"

#include "ui/error_guard.h"

namespace money {

Application::Application(int& argc, char** argv, MessageService& messages)
    : QApplication(argc, argv), messages_(messages) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ShowCurrentError(messages_, activeWindow());
  }
  return false;
}

}  // namespace money
