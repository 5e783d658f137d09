#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <filesystem>
#include <memory>
#include <optional>

#include "access/login_dialog.h"
#include "shell/child_window_registry.h"
#include "shell/main_window.h"
#include "shell/startup_windows.h"
#include "storage/ledger_database.h"
#include "storage/ledger_file.h"
#include "storage/settings_file.h"
#include "subjects/subject_picker.h"
#include "subjects/subject_store.h"
#include "support/message_recorder.h"
#include "support/save_file_recorder.h"
#include "support/temp_folder.h"
#include "ui/tree_list.h"

namespace money {
namespace {

// The subject windows as the program starts and ends them.
class SubjectStartupTest : public ::testing::Test {
 protected:
  SubjectStartupTest() {
    CreateLedger(LedgerPath(folder_.Path()));
    database_.Open(LedgerPath(folder_.Path()));
    const Subject savings_root = *FindSubject(database_, "3");
    InsertSubject(database_, NewChildRow(savings_root, "001", "中行", ""));
  }

  std::filesystem::path Executable() const { return folder_ / "money"; }
  SettingsFile Settings() const { return SettingsFile(SettingsFilePath(Executable())); }
  void LogIn(StartupWindows& windows) {
    windows.Login().findChild<QLineEdit*>("Edit1")->setText("9999");
    windows.Login().findChild<QLineEdit*>("Edit2")->setText("3947");
    windows.Login().findChild<QPushButton*>("BitBtn1")->click();
    ASSERT_FALSE(windows.Login().LoginPending());
  }
  QMdiSubWindow* OpenMaintenance(StartupWindows& windows) {
    windows.Main().Command(QStringLiteral("N107"))->trigger();
    QWidget* window = windows.Main().ChildWindows().Find(QStringLiteral("TForm6"));
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
  }

  test::TempFolder folder_;
  LedgerDatabase database_;
  test::MessageRecorder messages_;
  test::SaveFileRecorder save_files_;
};

TEST_F(SubjectStartupTest, PickersReadListAndPositionAtStartAndWriteThePositionAtProgramEnd) {
  Settings().WriteInteger("XZSRFrm", "Top", 33);
  Settings().WriteInteger("XZSRFrm", "Left", 44);
  {
    const StartupWindows windows(database_, messages_, save_files_, Executable());
    const std::pair<SubjectClass, const char*> pickers[] = {
        {SubjectClass::kIncome, "TForm11"}, {SubjectClass::kSavings, "TForm12"}, {SubjectClass::kExpense, "TForm22"}};
    for (const auto& [subject_class, form] : pickers) {
      EXPECT_EQ(windows.Picker(subject_class).objectName(), form);
      EXPECT_FALSE(windows.Picker(subject_class).isVisible());
    }
    EXPECT_TRUE(windows.Picker(SubjectClass::kSavings).findChild<TreeList*>()->FindRow("3001"));
    EXPECT_EQ(windows.Picker(SubjectClass::kIncome).pos(), QPoint(44, 33));
    windows.Picker(SubjectClass::kSavings).move(10, 20);
    EXPECT_EQ(Settings().ReadString("XZJYFrm", "Top", "none"), "none");
  }
  EXPECT_EQ(Settings().ReadInteger("XZJYFrm", "Top", 0), 20);
  EXPECT_EQ(Settings().ReadInteger("XZJYFrm", "Left", 0), 10);
  EXPECT_EQ(Settings().ReadInteger("XZSRFrm", "Top", 0), 33);
  EXPECT_EQ(Settings().ReadInteger("XZSRFrm", "Left", 0), 44);
  EXPECT_EQ(Settings().ReadInteger("XZZCFrm", "Top", 0), 91);
  EXPECT_EQ(Settings().ReadInteger("XZZCFrm", "Left", 0), 176);
  EXPECT_TRUE(messages_.errors.isEmpty());
}

// "科目维护" opens one window; closing it writes "KMFrm"; one still open at program end writes nothing.
TEST_F(SubjectStartupTest, MaintenanceWindowOpensOnceThroughItsCommand) {
  auto windows = std::make_unique<StartupWindows>(database_, messages_, save_files_, Executable());
  LogIn(*windows);
  windows->Main().show();
  QMdiSubWindow* opened = OpenMaintenance(*windows);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->widget()->objectName(), "TForm6");
  EXPECT_EQ(opened->pos(), QPoint(128, 120));
  EXPECT_EQ(OpenMaintenance(*windows), opened);
  EXPECT_EQ(windows->Main().Frame().subWindowList().size(), 1);

  opened->move(50, 60);
  opened->widget()->findChild<QPushButton*>("BitBtn4")->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(windows->Main().ChildWindows().Find(QStringLiteral("TForm6")), nullptr);
  EXPECT_EQ(Settings().ReadInteger("KMFrm", "Top", 0), 60);
  EXPECT_EQ(Settings().ReadInteger("KMFrm", "Left", 0), 50);

  QMdiSubWindow* reopened = OpenMaintenance(*windows);
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->pos(), QPoint(50, 60));
  reopened->move(200, 100);
  windows.reset();
  EXPECT_EQ(Settings().ReadInteger("KMFrm", "Top", 0), 60);
  EXPECT_EQ(Settings().ReadInteger("KMFrm", "Left", 0), 50);
  EXPECT_TRUE(messages_.errors.isEmpty());
}

}  // namespace
}  // namespace money
