#include "shell/tool_bar_look.h"

namespace money {

QString BarLookStyleSheet(BarLook look) {
  switch (look) {
    case BarLook::kFlat:
      // Buttons without borders on a plain bar; the pointed one framed and tinted.
      return QStringLiteral(
          "QToolBar { background: #f3f3f3; border: none; spacing: 1px; padding: 1px; }"
          "QToolButton { border: 1px solid transparent; border-radius: 0px; background: transparent; padding: 2px; }"
          "QToolButton:hover { border: 1px solid #316ac5; background: #c1d2ee; }"
          "QToolButton:pressed, QToolButton:checked { border: 1px solid #316ac5; background: #98b5e2; }"
          "QMenuBar { background: #f3f3f3; }");
    case BarLook::kEnhanced:
      // Shaded bars with a rounded outline; the pointed button glows.
      return QStringLiteral(
          "QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfeff, stop:1 #b9cde8);"
          " border: 1px solid #7f9db9; border-radius: 4px; spacing: 2px; padding: 2px; }"
          "QToolButton { border: 1px solid transparent; border-radius: 3px; background: transparent; padding: 2px; }"
          "QToolButton:hover { border: 1px solid #c28a30;"
          " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff5cc, stop:1 #ffd56b); }"
          "QToolButton:pressed, QToolButton:checked { border: 1px solid #c28a30;"
          " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbc469, stop:1 #f59a2f); }"
          "QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfeff, stop:1 #b9cde8); }");
    case BarLook::kStandard:
      // Grey bars with raised three-dimensional buttons.
      return QStringLiteral(
          "QToolBar { background: #d4d0c8; border: 1px outset #ffffff; spacing: 2px; padding: 1px; }"
          "QToolButton { background: #d4d0c8; border: 2px outset #f4f2ee; padding: 1px; }"
          "QToolButton:pressed, QToolButton:checked { border: 2px inset #f4f2ee; background: #c4c0b8; }"
          "QToolButton:disabled { color: #808080; }"
          "QMenuBar { background: #d4d0c8; }");
  }
  return {};
}

}  // namespace money
