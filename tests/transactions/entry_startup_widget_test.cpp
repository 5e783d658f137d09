#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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
#include "transactions/edit_dialog.h"
#include "transactions/entry_dialog.h"
#include "transactions/journal_window.h"
#include "transactions/ledger_check.h"
#include "transactions/posting_engine.h"
#include "ui/group_grid.h"
#include "ui/record_navigator.h"
#include "ui/tree_list.h"

namespace money {
namespace {

// Also records which window owns each question.
class OwnerRecorder : public test::MessageRecorder {
 public:
  Answer Ask(QWidget* owner, const QString& text) override {
    owners.push_back(owner);
    return MessageRecorder::Ask(owner, text);
  }
  std::vector<QWidget*> owners;
};

// The entry windows as the program starts, runs and ends them, on a ledger whose chart is made through
// the core before the start.
class EntryStartupTest : public ::testing::Test {
 protected:
  EntryStartupTest() {
    CreateLedger(LedgerPath(folder_.Path()));
    database_.Open(LedgerPath(folder_.Path()));
    for (const auto& [parent, segment, name] : {std::tuple{"1", "001", "工资"}, std::tuple{"3", "001", "中行"},
                                                std::tuple{"3", "002", "现金"}, std::tuple{"2", "001", "餐饮"}}) {
      InsertSubject(database_, NewChildRow(*FindSubject(database_, parent), segment, name, ""));
    }
  }
  ~EntryStartupTest() override {
    windows_.reset();
    if (database_.Connected()) {
      EXPECT_EQ(CheckLedger(database_), std::vector<std::string>{});
    }
  }

  std::filesystem::path Executable() const { return folder_ / "money"; }
  SettingsFile Settings() const { return SettingsFile(SettingsFilePath(Executable())); }

  StartupWindows& Start() {
    windows_ = std::make_unique<StartupWindows>(database_, messages_, save_files_, Executable());
    windows_->Login().findChild<QLineEdit*>("Edit1")->setText("9999");
    windows_->Login().findChild<QLineEdit*>("Edit2")->setText("3947");
    windows_->Login().findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_FALSE(windows_->Login().LoginPending());
    windows_->Main().show();
    return *windows_;
  }
  QMdiSubWindow* OpenJournal(const char* command, const char* form) {
    windows_->Main().Command(QString::fromUtf8(command))->trigger();
    QWidget* window = windows_->Main().ChildWindows().Find(QString::fromUtf8(form));
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
  }
  static JournalWindow& JournalIn(QMdiSubWindow* frame) { return *qobject_cast<JournalWindow*>(frame->widget()); }
  static void Close(QMdiSubWindow* frame) {
    frame->widget()->findChild<QPushButton*>("BitBtn5")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // Types the codes and the amount; the save checks them.
  static void Fill(QDialog& dialog, const char* source, const char* destination, const char* amount) {
    for (const auto& [name, text] : {std::pair{"dxEdit1", source}, {"dxEdit3", destination}, {"dxCalcEdit1", amount}}) {
      QLineEdit* editor = dialog.findChild<QLineEdit*>(name);
      editor->selectAll();
      QTest::keyClicks(editor, QString::fromUtf8(text));
    }
  }
  std::vector<int> JournalKeys(const char* section) {
    std::vector<int> keys;
    for (const char* key : {"Windows", "Top", "Left", "Width", "Height"})
      keys.push_back(Settings().ReadInteger(section, key, -1));
    return keys;
  }

  test::TempFolder folder_;
  LedgerDatabase database_;
  OwnerRecorder messages_;
  test::SaveFileRecorder save_files_;
  std::unique_ptr<StartupWindows> windows_;
};

TEST_F(EntryStartupTest, DialogsAreCreatedHiddenAtTheirPositionsAndWriteThemAtProgramEnd) {
  Settings().WriteInteger("ZCmFrm", "Top", 11);
  Settings().WriteInteger("ZCmFrm", "Left", 12);
  StartupWindows& windows = Start();
  const std::pair<EntryKind, std::pair<const char*, const char*>> forms[] = {
      {EntryKind::Income, {"TForm9", "TForm16"}},
      {EntryKind::Expense, {"TForm20", "TForm21"}},
      {EntryKind::Transfer, {"TForm24", "TForm25"}},
  };
  for (const auto& [kind, names] : forms) {
    EXPECT_EQ(windows.Entry(kind).objectName(), names.first);
    EXPECT_EQ(windows.Edit(kind).objectName(), names.second);
    EXPECT_FALSE(windows.Entry(kind).isVisible());
    EXPECT_FALSE(windows.Edit(kind).isVisible());
  }
  EXPECT_EQ(windows.Edit(EntryKind::Expense).pos(), QPoint(12, 11));
  EXPECT_EQ(windows.Entry(EntryKind::Transfer).pos(), QPoint(238, 138));
  windows.Entry(EntryKind::Transfer).move(21, 22);
  EXPECT_EQ(Settings().ReadInteger("ZZiFrm", "Top", -1), -1);

  windows_.reset();
  EXPECT_EQ(Settings().ReadInteger("ZZiFrm", "Top", -1), 22);
  EXPECT_EQ(Settings().ReadInteger("ZZiFrm", "Left", -1), 21);
  EXPECT_EQ(Settings().ReadInteger("ZCmFrm", "Top", -1), 11);
  for (const char* section : {"SRiFrm", "ZCiFrm", "SRmFrm", "ZZmFrm"}) {
    EXPECT_EQ(Settings().ReadInteger(section, "Top", -1), 138) << section;
    EXPECT_EQ(Settings().ReadInteger(section, "Left", -1), 238) << section;
  }
  EXPECT_TRUE(messages_.errors.isEmpty());
}

TEST_F(EntryStartupTest, JournalCommandOpensOneMaximizedWindowBoundToTheNavigator) {
  StartupWindows& windows = Start();
  QMdiSubWindow* income = OpenJournal("m0101", "TForm8");
  ASSERT_NE(income, nullptr);
  EXPECT_TRUE(income->isMaximized());
  EXPECT_EQ(windows.Main().Navigator().Bound(), &JournalIn(income).Grid());
  EXPECT_EQ(OpenJournal("m0101", "TForm8"), income);

  QMdiSubWindow* transfer = OpenJournal("m0103", "TForm23");
  ASSERT_NE(transfer, nullptr);
  EXPECT_EQ(windows.Main().Navigator().Bound(), &JournalIn(transfer).Grid());
  EXPECT_EQ(windows.Main().Frame().subWindowList().size(), 2);
  EXPECT_EQ(JournalIn(transfer).windowTitle(), QStringLiteral("转帐"));
}

TEST_F(EntryStartupTest, SavesInTheDialogsReReadTheOpenJournalOfTheirKind) {
  StartupWindows& windows = Start();
  QMdiSubWindow* expense = OpenJournal("m0102", "TForm19");
  ASSERT_NE(expense, nullptr);
  GroupGrid& grid = JournalIn(expense).Grid();
  ASSERT_TRUE(grid.IsEmpty());

  // An income saved while only the expense journal is open changes no list.
  EntryDialog& income = windows.Entry(EntryKind::Income);
  income.show();
  Fill(income, "1001", "3001", "50");
  income.findChild<QPushButton*>("BitBtn1")->click();
  EXPECT_FALSE(income.isVisible());
  EXPECT_TRUE(grid.IsEmpty());

  EntryDialog& entry = windows.Entry(EntryKind::Expense);
  entry.show();
  Fill(entry, "3001", "2001", "12.5");
  entry.findChild<QPushButton*>("BitBtn1")->click();
  EXPECT_TRUE(messages_.informed.isEmpty()) << messages_.informed.join("|").toStdString();
  EXPECT_EQ(grid.CurrentText("lsh"), "2");
  EXPECT_EQ(grid.CurrentText("UNAME"), "系统管理员");

  EditDialog& edit = windows.Edit(EntryKind::Expense);
  edit.Fill(JournalRow{2, "2005.03.07", "3001", "2001", "", 12.5, "中行", "餐饮"});
  edit.show();
  edit.findChild<QLineEdit*>("dxCalcEdit1")->setText("13");
  edit.findChild<QPushButton*>("BitBtn1")->click();
  EXPECT_EQ(grid.CurrentText("je"), "13");
  EXPECT_EQ(grid.CurrentText("ymd"), "2005.03.07");
}

TEST_F(EntryStartupTest, RightClickShowsTheStartUpPickerWithTheDialogsTag) {
  StartupWindows& windows = Start();
  EntryDialog& transfer = windows.Entry(EntryKind::Transfer);
  transfer.show();
  SubjectPicker& picker = windows.Picker(SubjectClass::kSavings);
  QTimer::singleShot(0, &picker, [&picker] {
    EXPECT_TRUE(picker.isVisible());
    picker.findChild<TreeList*>("dxDBTreeList1")->FocusKey("3002");
    picker.findChild<QPushButton*>("BitBtn2")->click();
  });
  QTest::mousePress(transfer.findChild<QLineEdit*>("dxEdit3"), Qt::RightButton);
  EXPECT_EQ(picker.CallerTag(), "Form242");
  EXPECT_EQ(transfer.findChild<QLineEdit*>("dxEdit3")->text(), QStringLiteral("3002"));
  EXPECT_EQ(transfer.findChild<QLineEdit*>("dxEdit4")->text(), QStringLiteral("现金"));
  EXPECT_EQ(transfer.findChild<QLineEdit*>("dxEdit1")->text(), QString());
}

TEST_F(EntryStartupTest, DeleteQuestionIsOwnedByTheMainWindow) {
  PostEntry(database_,
            NewEntry{EntryKind::Income, "2005.03.07", {"1001", 2}, {"3001", 2}, 5, "", "9999", "系统管理员"});
  StartupWindows& windows = Start();
  QMdiSubWindow* income = OpenJournal("m0101", "TForm8");
  ASSERT_NE(income, nullptr);
  messages_.answers.push_back(Answer::kYes);
  income->widget()->findChild<QPushButton*>("BitBtn3")->click();
  EXPECT_EQ(messages_.owners, std::vector<QWidget*>{&windows.Main()});
  EXPECT_TRUE(JournalIn(income).Grid().IsEmpty());
}

TEST_F(EntryStartupTest, JournalWritesItsStateAtEveryCloseButNotWhenTheProgramEndsWithItOpen) {
  StartupWindows& windows = Start();
  windows.Main().resize(1200, 900);
  QMdiSubWindow* income = OpenJournal("m0101", "TForm8");
  ASSERT_NE(income, nullptr);
  income->showNormal();
  income->setGeometry(30, 40, 500, 300);
  Close(income);
  EXPECT_EQ(windows.Main().ChildWindows().Find(QStringLiteral("TForm8")), nullptr);
  EXPECT_EQ(JournalKeys("SRFrm"), (std::vector<int>{0, 40, 30, 500, 300}));

  QMdiSubWindow* reopened = OpenJournal("m0101", "TForm8");
  ASSERT_NE(reopened, nullptr);
  EXPECT_FALSE(reopened->isMaximized());
  EXPECT_EQ(reopened->geometry(), QRect(30, 40, 500, 300));
  reopened->showMaximized();
  const QRect maximized = reopened->geometry();
  Close(reopened);
  EXPECT_EQ(JournalKeys("SRFrm"),
            (std::vector<int>{1, maximized.top(), maximized.left(), maximized.width(), maximized.height()}));

  Settings().WriteInteger("ZZFrm", "Windows", 2);
  QMdiSubWindow* transfer = OpenJournal("m0103", "TForm23");
  ASSERT_NE(transfer, nullptr);
  EXPECT_FALSE(transfer->isMaximized());
  EXPECT_EQ(transfer->geometry(), QRect(2, 2, 707, 457));
  transfer->move(5, 5);
  ASSERT_NE(OpenJournal("m0101", "TForm8"), nullptr);
  windows_.reset();
  EXPECT_EQ(JournalKeys("ZZFrm"), (std::vector<int>{2, -1, -1, -1, -1}));
  EXPECT_EQ(Settings().ReadInteger("SRFrm", "Top", -1), maximized.top());
  EXPECT_TRUE(messages_.errors.isEmpty());
}

}  // namespace
}  // namespace money
