#include "ui/window_placement.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "storage/settings_file.h"
#include "support/temp_folder.h"

namespace money {
namespace {

class WindowPlacementTest : public ::testing::Test {
 protected:
  test::TempFolder folder_;
  SettingsFile settings_{folder_ / "money.INI"};
};

TEST_F(WindowPlacementTest, PositionComesBackAsStoredOrFromItsDefaults) {
  QWidget dialog;
  RestorePosition(dialog, settings_, "SRiFrm", {138, 238});
  EXPECT_EQ(dialog.pos(), QPoint(238, 138));
  dialog.move(-500, 40);
  SavePosition(dialog, settings_, "SRiFrm");
  EXPECT_EQ(settings_.ReadInteger("SRiFrm", "Left", 0), -500);
  QWidget again;
  RestorePosition(again, settings_, "sriFRM", {138, 238});
  EXPECT_EQ(again.pos(), QPoint(-500, 40));
}

TEST_F(WindowPlacementTest, StateAndBoundsFollowTheWindowsKey) {
  QWidget journal;
  RestoreStateAndBounds(journal, settings_, "SRFrm", 1);
  EXPECT_TRUE(journal.windowState() & Qt::WindowMaximized);

  QWidget period;
  RestoreStateAndBounds(period, settings_, "FSSFrm", 0);
  EXPECT_FALSE(period.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(period.geometry(), QRect(2, 2, 707, 457));

  settings_.WriteInteger("ZCFrm", "Windows", 2);
  settings_.WriteInteger("ZCFrm", "Top", 30);
  settings_.WriteInteger("ZCFrm", "Left", 40);
  settings_.WriteInteger("ZCFrm", "Width", 5000);
  settings_.WriteInteger("ZCFrm", "Height", 300);
  QWidget expense;
  RestoreStateAndBounds(expense, settings_, "ZCFrm", 1);
  EXPECT_FALSE(expense.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(expense.geometry(), QRect(40, 30, 5000, 300));
  SaveStateAndBounds(expense, settings_, "ZCFrm");
  EXPECT_EQ(settings_.ReadInteger("ZCFrm", "Windows", 9), 0);
  EXPECT_EQ(settings_.ReadInteger("ZCFrm", "Width", 0), 5000);
}

}  // namespace
}  // namespace money
