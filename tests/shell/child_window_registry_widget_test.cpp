#include "shell/child_window_registry.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace money {
namespace {

class ChildWindowRegistryTest : public ::testing::Test {
 protected:
  ChildWindowRegistryTest() : registry_(frame_) {
    frame_.resize(800, 600);
    frame_.show();
  }

  ChildWindowRegistry::Factory Counting(const QString& name) {
    return [this, name] {
      ++created_;
      auto* window = new QWidget;
      window->setObjectName(name);
      return window;
    };
  }
  // A window closed by itself goes first, its frame in the next round of deferred deletions.
  static void DeleteClosedWindows() {
    for (int round = 0; round < 2; ++round) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QMdiArea frame_;
  ChildWindowRegistry registry_;
  int created_ = 0;
};

TEST_F(ChildWindowRegistryTest, OneWindowPerClassBroughtForward) {
  registry_.RegisterFactory("TForm8", Counting("income"));
  registry_.RegisterFactory("TForm19", Counting("expense"));
  QWidget* income = registry_.Open("TForm8");
  QWidget* expense = registry_.Open("TForm19");
  ASSERT_NE(income, nullptr);
  EXPECT_EQ(frame_.activeSubWindow()->widget(), expense);

  income->parentWidget()->showMinimized();
  EXPECT_EQ(registry_.Open("TForm8"), income);
  EXPECT_EQ(created_, 2);
  EXPECT_EQ(frame_.subWindowList().size(), 2);
  EXPECT_EQ(frame_.activeSubWindow()->widget(), income);
  EXPECT_FALSE(income->parentWidget()->isMinimized());
  EXPECT_EQ(registry_.Find("TForm8"), income);
}

TEST_F(ChildWindowRegistryTest, ClosingDestroysTheWindowAndFreesItsClass) {
  registry_.RegisterFactory("TForm8", Counting("income"));
  // Closed through its frame, or by the window itself (its own close button).
  for (bool by_frame : {true, false}) {
    QPointer<QWidget> window = registry_.Open("TForm8");
    ASSERT_FALSE(window.isNull());
    if (by_frame) {
      window->parentWidget()->close();
    } else {
      window->close();
    }
    DeleteClosedWindows();
    EXPECT_EQ(registry_.Find("TForm8"), nullptr) << by_frame;
    EXPECT_TRUE(window.isNull()) << by_frame;
    EXPECT_TRUE(frame_.subWindowList().isEmpty()) << by_frame;
  }
  QWidget* fresh = registry_.Open("TForm8");
  EXPECT_NE(fresh, nullptr);
  EXPECT_EQ(created_, 3);
}

TEST_F(ChildWindowRegistryTest, KeysMadeAtRunTimeOpenOneWindowEach) {
  const QString march = "TForm15|2005.03.01|2005.03.31";
  const QString april = "TForm15|2005.04.01|2005.04.30";
  QWidget* first = registry_.Open(march, Counting("march"));
  QWidget* second = registry_.Open(april, Counting("april"));
  EXPECT_NE(first, second);
  EXPECT_EQ(registry_.Open(march, Counting("march again")), first);
  EXPECT_EQ(created_, 2);
  EXPECT_EQ(frame_.subWindowList().size(), 2);
}

TEST_F(ChildWindowRegistryTest, WithoutFactoryNothingOpens) {
  EXPECT_EQ(registry_.Open("TForm6"), nullptr);
  registry_.RegisterFactory("TForm6", [] { return nullptr; });
  EXPECT_EQ(registry_.Open("TForm6"), nullptr);
  EXPECT_TRUE(frame_.subWindowList().isEmpty());
}

}  // namespace
}  // namespace money
