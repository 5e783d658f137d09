#include "ui/record_navigator.h"

#include <QAction>

#include "ui/error_guard.h"
#include "ui/pictures.h"
#include "ui/record_list.h"

namespace money {

RecordNavigator::RecordNavigator(MessageService& messages, QObject* parent) : QObject(parent), messages_(messages) {
  AddAction(QStringLiteral("First"), &RecordList::First);
  AddAction(QStringLiteral("Prior"), &RecordList::Prior);
  AddAction(QStringLiteral("Next"), &RecordList::Next);
  AddAction(QStringLiteral("Last"), &RecordList::Last);
  AddAction(QStringLiteral("Refresh"), &RecordList::Refresh);
  UpdateEnabled();
}

void RecordNavigator::AddAction(const QString& name, void (RecordList::*move)()) {
  auto* action = new QAction(NavigatorIcon(name), name, this);
  action->setObjectName(name);
  action->setToolTip(name);
  connect(action, &QAction::triggered, this, [this, move] {
    RecordList* list = Bound();
    if (list == nullptr) return;
    RunGuarded(messages_, nullptr, [list, move] { (list->*move)(); });
  });
  actions_.push_back(action);
}

void RecordNavigator::Bind(RecordList& list, QObject& window) {
  if (window_) disconnect(window_, &QObject::destroyed, this, nullptr);
  list_ = &list;
  window_ = &window;
  connect(&window, &QObject::destroyed, this, [this] { Unbind(); });
  UpdateEnabled();
}

void RecordNavigator::Unbind() {
  if (window_) disconnect(window_, &QObject::destroyed, this, nullptr);
  list_ = nullptr;
  window_ = nullptr;
  UpdateEnabled();
}

QAction* RecordNavigator::Action(const QString& name) const {
  for (QAction* action : actions_) {
    if (action->objectName() == name) return action;
  }
  return nullptr;
}

void RecordNavigator::UpdateEnabled() {
  for (QAction* action : actions_) action->setEnabled(Bound() != nullptr);
}

}  // namespace money
