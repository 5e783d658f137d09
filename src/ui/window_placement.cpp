#include "ui/window_placement.h"

#include <QMdiSubWindow>
#include <QWidget>

#include "storage/settings_file.h"

namespace money {

namespace {

constexpr const char* kTop = "Top";
constexpr const char* kLeft = "Left";
constexpr const char* kWidth = "Width";
constexpr const char* kHeight = "Height";
constexpr const char* kWindows = "Windows";
constexpr int kMaximized = 1;
constexpr int kDefaultTop = 2;
constexpr int kDefaultLeft = 2;
constexpr int kDefaultWidth = 707;
constexpr int kDefaultHeight = 457;

}  // namespace

QWidget& FrameOf(QWidget& window) {
  if (auto* sub_window = qobject_cast<QMdiSubWindow*>(window.parentWidget())) return *sub_window;
  return window;
}

void RestorePosition(QWidget& window, const SettingsFile& settings, const std::string& section,
                     PositionDefaults defaults) {
  const int top = settings.ReadInteger(section, kTop, defaults.top);
  const int left = settings.ReadInteger(section, kLeft, defaults.left);
  window.move(left, top);
}

void SavePosition(const QWidget& window, SettingsFile& settings, const std::string& section) {
  settings.WriteIntegers(section, {{kTop, window.y()}, {kLeft, window.x()}});
}

void RestoreStateAndBounds(QWidget& window, const SettingsFile& settings, const std::string& section,
                           int maximized_default) {
  if (settings.ReadInteger(section, kWindows, maximized_default) == kMaximized) {
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return;
  }
  const int top = settings.ReadInteger(section, kTop, kDefaultTop);
  const int left = settings.ReadInteger(section, kLeft, kDefaultLeft);
  const int width = settings.ReadInteger(section, kWidth, kDefaultWidth);
  const int height = settings.ReadInteger(section, kHeight, kDefaultHeight);
  window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
  window.setGeometry(left, top, width, height);
}

void SaveStateAndBounds(const QWidget& window, SettingsFile& settings, const std::string& section) {
  const QRect bounds = window.geometry();
  settings.WriteIntegers(section, {{kWindows, window.isMaximized() ? kMaximized : 0},
                                   {kTop, bounds.top()},
                                   {kLeft, bounds.left()},
                                   {kWidth, bounds.width()},
                                   {kHeight, bounds.height()}});
}

}  // namespace money
