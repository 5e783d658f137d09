#pragma once

#include <QString>

#include "access/login_state.h"

class QAction;

namespace money {

// What the login dialog needs of the main window.
class LoginTarget {
 public:
  virtual ~LoginTarget() = default;
  virtual void SetLoginState(const LoginState& state) = 0;
  // Sets the text of a status bar panel, counted from 0.
  virtual void SetStatusText(int panel, const QString& text) = 0;
  // Applies the tool bar look read from the settings file: "Menu"/"Style" and "Menu"/"BigButton".
  virtual void ApplyStoredLook(int style, int big_button) = 0;
  // The plain command button (shared by menu and tool bar) of that component name, or nullptr: sub-menus
  // and the record-navigation buttons are never found.
  virtual QAction* Command(const QString& name) const = 0;
};

}  // namespace money
