#include "shell/child_window_registry.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace money {

ChildWindowRegistry::ChildWindowRegistry(QMdiArea& frame, QObject* parent) : QObject(parent), frame_(frame) {}

void ChildWindowRegistry::RegisterFactory(const QString& key, Factory factory) {
  factories_[key] = std::move(factory);
}

QWidget* ChildWindowRegistry::Open(const QString& key) {
  const auto factory = factories_.find(key);
  if (factory == factories_.end()) return nullptr;
  return Open(key, factory->second);
}

QWidget* ChildWindowRegistry::Open(const QString& key, const Factory& factory) {
  if (QMdiSubWindow* open = OpenFrame(key)) {
    if (open->isMinimized()) open->showNormal();
    frame_.setActiveSubWindow(open);
    open->raise();
    return open->widget();
  }
  // As in any multiple-document frame: while the active child is maximized, a new one opens maximized
  // too, instead of putting the other back to its normal size.
  const QMdiSubWindow* active = frame_.currentSubWindow();
  const bool maximized = active != nullptr && active->isMaximized();
  QWidget* window = factory();
  if (window == nullptr) return nullptr;
  QMdiSubWindow* sub_window = frame_.addSubWindow(window);
  // Closed through its frame or by itself, the window is destroyed, and its frame with it.
  sub_window->setAttribute(Qt::WA_DeleteOnClose);
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &QObject::destroyed, sub_window, &QObject::deleteLater);
  open_[key] = sub_window;
  connect(sub_window, &QObject::destroyed, this, [this, key] {
    const auto entry = open_.find(key);
    if (entry != open_.end() && entry->second.isNull()) open_.erase(entry);
  });
  sub_window->show();
  if (maximized) sub_window->showMaximized();
  return window;
}

QWidget* ChildWindowRegistry::Find(const QString& key) const {
  QMdiSubWindow* open = OpenFrame(key);
  return open ? open->widget() : nullptr;
}

// A closed window is destroyed a moment after its close: a hidden frame, or one whose window has gone,
// counts as gone already.
QMdiSubWindow* ChildWindowRegistry::OpenFrame(const QString& key) const {
  const auto entry = open_.find(key);
  if (entry == open_.end()) return nullptr;
  QMdiSubWindow* frame = entry->second;
  if (frame == nullptr || frame->isHidden() || frame->widget() == nullptr) return nullptr;
  return frame;
}

}  // namespace money
