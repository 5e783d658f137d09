#include "shell/startup_windows.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <fstream>

#include "access/login_dialog.h"
#include "reports/date_range_dialog.h"
#include "reports/detail_ledger_window.h"
#include "reports/subject_tree_query_window.h"
#include "shell/about_box.h"
#include "shell/child_window_registry.h"
#include "shell/main_window.h"
#include "storage/ledger_database.h"
#include "storage/ledger_file.h"
#include "storage/settings_file.h"
#include "subjects/subject_store.h"
#include "transactions/posting_engine.h"
#include "ui/record_navigator.h"
#include "ui/tree_list.h"
#include "support/message_recorder.h"
#include "support/save_file_recorder.h"
#include "support/temp_folder.h"

namespace money {
namespace {

class StartupWindowsTest : public ::testing::Test {
 protected:
  std::filesystem::path Executable() const { return folder_ / "money"; }
  void LogIn(StartupWindows& windows, const char* code, const char* password) {
    windows.Login().findChild<QLineEdit*>("Edit1")->setText(code);
    windows.Login().findChild<QLineEdit*>("Edit2")->setText(password);
    windows.Login().findChild<QPushButton*>("BitBtn1")->click();
  }

  test::TempFolder folder_;
  LedgerDatabase database_;
  test::MessageRecorder messages_;
  test::SaveFileRecorder save_files_;
};

TEST_F(StartupWindowsTest, OpensTheLedgerOfTheProgramFolderAndLogsIn) {
  CreateLedger(LedgerPath(folder_.Path()));
  StartupWindows windows(database_, messages_, save_files_, Executable());
  EXPECT_TRUE(database_.Connected());
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_FALSE(windows.Main().isVisible());
  LogIn(windows, "9999", "3947");
  EXPECT_FALSE(windows.Login().LoginPending());
  EXPECT_EQ(windows.Main().Login().operator_code, "9999");
}

// A missing or damaged ledger: the message once, then a login that fails with the ledger's own error.
TEST_F(StartupWindowsTest, MissingOrDamagedLedgerIsReportedOnceAndTheLoginFails) {
  for (bool damaged : {false, true}) {
    messages_.informed.clear();
    messages_.errors.clear();
    if (damaged) std::ofstream(LedgerPath(folder_.Path())) << "this is not a ledger";
    StartupWindows windows(database_, messages_, save_files_, Executable());
    EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kConnectionFailedMessage)}) << damaged;
    EXPECT_FALSE(database_.Connected());

    LogIn(windows, "", "3947");  // an empty code does not reach the ledger
    EXPECT_TRUE(messages_.errors.isEmpty());
    LogIn(windows, "9999", "3947");
    ASSERT_EQ(messages_.errors.size(), 1) << damaged;
    EXPECT_FALSE(messages_.errors.front().isEmpty());
    EXPECT_TRUE(windows.Login().LoginPending());
    EXPECT_EQ(messages_.informed.size(), 1);
  }
}

TEST_F(StartupWindowsTest, AboutBoxIsShownModallyByItsCommand) {
  CreateLedger(LedgerPath(folder_.Path()));
  StartupWindows windows(database_, messages_, save_files_, Executable());
  EXPECT_EQ(windows.About().objectName(), "TForm99");
  EXPECT_EQ(windows.About().windowTitle(), "关于 . . .");
  EXPECT_EQ(windows.About().size(), QSize(431, 392));
  QWidget* shown = nullptr;
  QTimer::singleShot(0, [&] {
    shown = QApplication::activeModalWidget();
    if (shown) shown->findChild<QPushButton*>("BitBtn1")->click();
  });
  windows.Main().Command("N33")->trigger();
  EXPECT_EQ(shown, &windows.About());
  EXPECT_FALSE(windows.About().isVisible());
}

// The detail ledgers read their placement at start-up and write it when the program ends, also when
// the login was left.
TEST_F(StartupWindowsTest, DetailLedgersKeepTheirPlacementAcrossRuns) {
  CreateLedger(LedgerPath(folder_.Path()));
  const SettingsFile settings(SettingsFilePath(Executable()));
  {
    StartupWindows windows(database_, messages_, save_files_, Executable());
    windows.PeriodDetail().setGeometry(40, 50, 600, 400);
    windows.SubjectDetail().setGeometry(60, 70, 640, 420);
  }
  EXPECT_EQ(settings.ReadInteger("FSSMXFrm", "Left", 0), 40);
  EXPECT_EQ(settings.ReadInteger("FSSMXFrm", "Width", 0), 600);
  EXPECT_EQ(settings.ReadInteger("YEMXFrm", "Top", 0), 70);
  EXPECT_EQ(settings.ReadInteger("YEMXFrm", "Height", 0), 420);
  const StartupWindows again(database_, messages_, save_files_, Executable());
  EXPECT_EQ(again.SubjectDetail().geometry(), QRect(60, 70, 640, 420));
  EXPECT_TRUE(messages_.errors.isEmpty());
}

// The window a command or button shows modally, closed again at once; nullptr when none was shown.
QWidget* ModalShownBy(const std::function<void()>& action, const char* close_button) {
  QWidget* shown = nullptr;
  QTimer::singleShot(0, [&] {
    shown = QApplication::activeModalWidget();
    if (shown) shown->findChild<QPushButton*>(close_button)->click();
  });
  action();
  return shown;
}

TEST_F(StartupWindowsTest, QueryAndAdministrationCommandsOpenTheirWindows) {
  CreateLedger(LedgerPath(folder_.Path()));
  StartupWindows windows(database_, messages_, save_files_, Executable());
  LogIn(windows, "9999", "3947");
  ChildWindowRegistry& children = windows.Main().ChildWindows();

  windows.Main().Command("m0201")->trigger();
  QWidget* balance = children.Find("TForm13");
  ASSERT_NE(balance, nullptr);
  const QWidget* subject_detail =
      ModalShownBy([balance] { balance->findChild<QPushButton*>("BitBtn5")->click(); }, "BitBtn2");
  EXPECT_EQ(subject_detail, &windows.SubjectDetail());
  EXPECT_TRUE(windows.SubjectDetail().windowTitle().startsWith("科目明细 _ "));

  // Each confirmed range opens one more period activity window, also for the same range.
  for (int opened = 1; opened <= 2; ++opened) {
    const QWidget* range_dialog = ModalShownBy([&] { windows.Main().Command("m0301")->trigger(); }, "BitBtn1");
    EXPECT_EQ(range_dialog, &windows.RangeDialog());
    EXPECT_EQ(windows.Main().findChildren<QWidget*>("TForm15").size(), opened);
  }
  QWidget* period = windows.Main().findChildren<QWidget*>("TForm15").front();
  const QWidget* period_detail =
      ModalShownBy([period] { period->findChild<QPushButton*>("BitBtn5")->click(); }, "BitBtn2");
  EXPECT_EQ(period_detail, &windows.PeriodDetail());

  windows.Main().Command("N101")->trigger();
  EXPECT_NE(children.Find("TForm17"), nullptr);
  windows.Main().Command("N102")->trigger();
  EXPECT_NE(children.Find("TForm10"), nullptr);
  EXPECT_TRUE(messages_.errors.isEmpty());
}

// A window opening while a maximized one is active opens maximized too, and the frame keeps maximizing
// the window it activates.
TEST_F(StartupWindowsTest, WindowsOpenMaximizedBesideAMaximizedOne) {
  CreateLedger(LedgerPath(folder_.Path()));
  StartupWindows windows(database_, messages_, save_files_, Executable());
  LogIn(windows, "9999", "3947");
  windows.Main().show();
  windows.Main().Command("m0201")->trigger();  // maximized by default
  QWidget* balance = windows.Main().ChildWindows().Find("TForm13");
  ASSERT_NE(balance, nullptr);
  ASSERT_TRUE(balance->parentWidget()->isMaximized());
  windows.Main().Command("N102")->trigger();  // opens in normal state on its own
  QWidget* operators = windows.Main().ChildWindows().Find("TForm10");
  ASSERT_NE(operators, nullptr);
  EXPECT_TRUE(operators->parentWidget()->isMaximized());
  windows.Main().Command("m0201")->trigger();
  EXPECT_TRUE(balance->parentWidget()->isMaximized());
}

// The navigator's refresh re-reads the active period window with that window's own range.
TEST_F(StartupWindowsTest, NavigatorRefreshReadsThePeriodWindowAgainForItsRange) {
  CreateLedger(LedgerPath(folder_.Path()));
  StartupWindows windows(database_, messages_, save_files_, Executable());
  LogIn(windows, "9999", "3947");
  windows.Main().show();
  ModalShownBy([&] { windows.Main().Command("m0301")->trigger(); }, "BitBtn1");
  auto* period = windows.Main().findChild<SubjectTreeQueryWindow*>("TForm15");
  ASSERT_NE(period, nullptr);
  EXPECT_EQ(period->Tree().RowCount(), 0u);

  const std::string today = QDate::currentDate().toString("yyyy.MM.dd").toStdString();
  for (const char* code : {"1001", "3001"}) {
    const std::optional<Subject> parent = FindSubject(database_, std::string(1, code[0]));
    ASSERT_EQ(InsertSubject(database_, NewChildRow(*parent, code + 1, "x", "")), StoreOutcome::kStored);
  }
  ASSERT_TRUE(PostEntry(database_, NewEntry{EntryKind::Income, today, {"1001", 2}, {"3001", 2}, 5, "", "9999", "x"}).ok);
  QAction* refresh = windows.Main().Navigator().Action("Refresh");
  ASSERT_TRUE(refresh->isEnabled());
  refresh->trigger();
  EXPECT_EQ(period->Tree().RowCount(), 4u);  // 1, 1001, 3, 3001
  EXPECT_TRUE(messages_.errors.isEmpty());
}

}  // namespace
}  // namespace money
