#include "ui/error_guard.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <stdexcept>

#include "storage/database_error.h"
#include "support/application_errors.h"
#include "support/message_recorder.h"

namespace money {
namespace {

TEST(RunGuardedTest, EscapedErrorsAreShownAndTheCallerGoesOn) {
  test::MessageRecorder messages;
  bool ran = false;
  EXPECT_TRUE(RunGuarded(messages, nullptr, [&] { ran = true; }));
  EXPECT_TRUE(ran);
  EXPECT_FALSE(RunGuarded(messages, nullptr, [] { throw DatabaseError("数据库未连接", 21, 21, "select 1"); }));
  EXPECT_FALSE(RunGuarded(messages, nullptr, [] { throw std::runtime_error("Unable to write to /x/money.INI"); }));
  EXPECT_FALSE(RunGuarded(messages, nullptr, [] { throw 42; }));
  EXPECT_EQ(messages.errors, QStringList({"数据库未连接", "Unable to write to /x/money.INI", "Unknown error"}));
  EXPECT_TRUE(messages.informed.isEmpty());
}

// An object whose event handler fails, as a slot or handler that no guard wraps would.
class FailingReceiver : public QObject {
 public:
  bool event(QEvent*) override { throw std::runtime_error("Unable to write to /x/Tool.ini"); }
};

TEST(ApplicationTest, AnErrorEscapingAnEventHandlerIsShownAndTheLoopGoesOn) {
  test::ApplicationErrors().errors.clear();
  FailingReceiver receiver;
  QEvent event(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&receiver, &event));
  EXPECT_EQ(test::ApplicationErrors().errors, QStringList{"Unable to write to /x/Tool.ini"});

  QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  EXPECT_EQ(test::ApplicationErrors().errors.size(), 2);
}

}  // namespace
}  // namespace money
