#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

// Widget tests run on the offscreen platform unless told otherwise, also when the build discovers them.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
