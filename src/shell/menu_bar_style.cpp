#include "shell/menu_bar_style.h"

namespace money {

int MenuBarStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* data) const {
  if (hint == QStyle::SH_DrawMenuBarSeparator) return 1;
  return QProxyStyle::styleHint(hint, option, widget, data);
}

}  // namespace money
