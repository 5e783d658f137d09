#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

namespace money::test {

// The control of that objectName below `owner`; a test failure (and nullptr) when there is none.
template <typename Widget>
Widget* ControlOf(QWidget& owner, const char* name) {
  Widget* control = owner.findChild<Widget*>(QString::fromUtf8(name));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

}  // namespace money::test
