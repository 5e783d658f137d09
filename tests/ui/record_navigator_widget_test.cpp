#include "ui/record_navigator.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QWidget>

#include <memory>

#include "support/message_recorder.h"
#include "ui/record_list.h"

namespace money {
namespace {

class CountingList : public RecordList {
 public:
  void First() override { moves << "First"; }
  void Prior() override { moves << "Prior"; }
  void Next() override { moves << "Next"; }
  void Last() override { moves << "Last"; }
  void Refresh() override { moves << "Refresh"; }
  QStringList moves;
};

class RecordNavigatorTest : public ::testing::Test {
 protected:
  void TriggerAll() {
    for (QAction* action : navigator_.Actions()) action->trigger();
  }
  bool AllEnabled(bool enabled) {
    for (QAction* action : navigator_.Actions()) {
      if (action->isEnabled() != enabled) return false;
    }
    return true;
  }

  test::MessageRecorder messages_;
  RecordNavigator navigator_{messages_};
};

TEST_F(RecordNavigatorTest, MovesTheBoundListOnly) {
  QStringList names;
  for (QAction* action : navigator_.Actions()) names << action->objectName();
  EXPECT_EQ(names, QStringList({"First", "Prior", "Next", "Last", "Refresh"}));
  EXPECT_TRUE(AllEnabled(false));

  CountingList list;
  QWidget window;
  navigator_.Bind(list, window);
  EXPECT_TRUE(AllEnabled(true));
  TriggerAll();
  EXPECT_EQ(list.moves, QStringList({"First", "Prior", "Next", "Last", "Refresh"}));

  navigator_.Unbind();
  EXPECT_TRUE(AllEnabled(false));
  TriggerAll();
  EXPECT_EQ(list.moves.size(), 5);
}

TEST_F(RecordNavigatorTest, BindingEndsWithTheWindow) {
  CountingList list;
  auto window = std::make_unique<QWidget>();
  navigator_.Bind(list, *window);
  window.reset();
  EXPECT_EQ(navigator_.Bound(), nullptr);
  EXPECT_TRUE(AllEnabled(false));
  TriggerAll();
  EXPECT_TRUE(list.moves.isEmpty());
}

TEST_F(RecordNavigatorTest, RebindingMovesToTheNewList) {
  CountingList first_list;
  CountingList second_list;
  QWidget first_window;
  auto second_window = std::make_unique<QWidget>();
  navigator_.Bind(first_list, first_window);
  navigator_.Bind(second_list, *second_window);
  navigator_.Action("Next")->trigger();
  EXPECT_TRUE(first_list.moves.isEmpty());
  EXPECT_EQ(second_list.moves, QStringList{"Next"});
  navigator_.Bind(first_list, first_window);
  second_window.reset();  // the earlier window going away does not end the new binding
  EXPECT_EQ(navigator_.Bound(), &first_list);
}

}  // namespace
}  // namespace money
