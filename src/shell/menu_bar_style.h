#pragma once

#include <QProxyStyle>

namespace money {

// Puts the menus that follow a separator of a menu bar at its right end (the help menu).
class MenuBarStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* data = nullptr) const override;
};

}  // namespace money
