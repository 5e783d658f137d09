#pragma once

#include <functional>

class QWidget;

namespace money {

class MessageService;

// Shows the exception being handled in the standard error box; call it inside a catch block.
void ShowCurrentError(MessageService& messages, QWidget* owner);

// Runs an event handler; an exception it lets escape is shown in the standard error box and the
// program goes on. Returns false when the handler failed that way.
bool RunGuarded(MessageService& messages, QWidget* owner, const std::function<void()>& handler);

}  // namespace money
