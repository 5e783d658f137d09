#include <gtest/gtest.h>

#include <cstdlib>

#include "support/application_errors.h"
#include "ui/application.h"

namespace money::test {

MessageRecorder& ApplicationErrors() {
  static MessageRecorder errors;
  return errors;
}

}  // namespace money::test

// Widget tests run on the program's own application object, on the offscreen platform unless told
// otherwise, also when the build discovers them.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  money::Application application(argc, argv, money::test::ApplicationErrors());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
