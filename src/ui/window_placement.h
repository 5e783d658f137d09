#pragma once

#include <string>

class QWidget;

namespace money {

class SettingsFile;

// Where a window stands, kept in its section of the settings file. Values are applied as read: no check
// against the screen or the frame.

// What stands in the frame's client area for a child window: its MDI frame, or the window itself while it
// has none.
QWidget& FrameOf(QWidget& window);

// Windows with position only: "Top" and "Left".
struct PositionDefaults {
  int top;
  int left;
};
void RestorePosition(QWidget& window, const SettingsFile& settings, const std::string& section,
                     PositionDefaults defaults);
void SavePosition(const QWidget& window, SettingsFile& settings, const std::string& section);

// Windows with state and bounds: "Windows" (1 maximized; then nothing else is read), "Top", "Left",
// "Width", "Height" (defaults 2, 2, 707, 457). Saving writes all five keys, the bounds also when maximized.
void RestoreStateAndBounds(QWidget& window, const SettingsFile& settings, const std::string& section,
                           int maximized_default);
void SaveStateAndBounds(const QWidget& window, SettingsFile& settings, const std::string& section);

}  // namespace money
