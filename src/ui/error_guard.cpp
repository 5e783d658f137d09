#include "ui/error_guard.h"

#include <QString>

#include <exception>

#include "ui/message_service.h"

namespace money {

void ShowCurrentError(MessageService& messages, QWidget* owner) {
  try {
    throw;
  } catch (const std::exception& error) {
    messages.ShowError(owner, QString::fromUtf8(error.what()));
  } catch (...) {
    messages.ShowError(owner, QStringLiteral("Unknown error"));
  }
}

bool RunGuarded(MessageService& messages, QWidget* owner, const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (...) {
    ShowCurrentError(messages, owner);
  }
  return false;
}

}  // namespace money
