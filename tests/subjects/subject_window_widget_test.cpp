#include "subjects/subject_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "shell/child_window_registry.h"
#include "storage/settings_file.h"
#include "subjects/add_subject_dialog.h"
#include "subjects/modify_subject_dialog.h"
#include "subjects/subject_messages.h"
#include "subjects/subject_store.h"
#include "support/control_of.h"
#include "support/ledger_fixture.h"
#include "support/message_recorder.h"
#include "transactions/posting_engine.h"
#include "ui/tree_list.h"

namespace money {
namespace {

using test::ControlOf;

class SubjectWindowTest : public test::LedgerFixture {
 protected:
  SubjectWindowTest() : add_dialog_(db_, messages_), modify_dialog_(db_, messages_) {
    AddSubject("1001", "工资");
    AddSubject("1001001", "基本");
    AddSubject("1001001001", "岗位");
    AddSubject("1002", "奖金");
    AddSubject("3001", "中行");
    db_.Execute("update B_KM set bz='月薪' where id='1001'");
  }

  const std::filesystem::path& SettingsPath() const { return settings_path_; }

  // The window as the main window's command creates it; a dialog it shows runs `on_show` in place of
  // the modal loop.
  SubjectMaintenanceWindow& Window() {
    if (!window_) {
      window_ = std::make_unique<SubjectMaintenanceWindow>(
          db_, messages_, add_dialog_, modify_dialog_, SettingsPath(), [this](QDialog& dialog) {
            shown_.append(dialog.objectName());
            if (on_show_) on_show_(dialog);
          });
      window_->show();
    }
    return *window_;
  }
  TreeList& Tree() { return *ControlOf<TreeList>(Window(), "dxDBTreeList1"); }
  QPlainTextEdit& Note() { return *ControlOf<QPlainTextEdit>(Window(), "dxDBMemo1"); }
  void Press(const char* button) { ControlOf<QPushButton>(Window(), button)->click(); }
  void Focus(const std::string& code) { ASSERT_TRUE(Tree().FocusKey(code)) << code; }
  std::string Focused() { return Tree().CurrentText("id"); }

  std::filesystem::path settings_path_ = folder_ / "money.INI";
  test::MessageRecorder messages_;
  AddSubjectDialog add_dialog_;
  ModifySubjectDialog modify_dialog_;
  std::unique_ptr<SubjectMaintenanceWindow> window_;
  QStringList shown_;
  std::function<void(QDialog&)> on_show_;
};

TEST_F(SubjectWindowTest, ShowsTheWholeChartWithTheClassRootsOnTop) {
  EXPECT_EQ(Window().objectName(), "TForm6");
  EXPECT_EQ(Window().windowTitle(), "科目维护");
  const QAbstractItemModel& model = *Tree().model();
  ASSERT_EQ(model.rowCount(), 3);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(model.index(row, 0).data().toString(), QString::number(row + 1));
  }
  EXPECT_EQ(Tree().RowCount(), 8u);
  const QStringList captions = {"科目编号", "科目名称", "上级编号", "级数"};
  const int widths[] = {172, 129, 66, 37};
  for (int column = 0; column < 4; ++column) {
    EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), captions[column]);
    EXPECT_EQ(Tree().columnWidth(column), widths[column]);
  }
  const char* buttons[][2] = {{"BitBtn2", "填加下级"}, {"BitBtn3", "删除"}, {"BitBtn1", "修改"}, {"BitBtn4", "退出"}};
  int left = -1;
  for (const auto& [name, caption] : buttons) {
    QPushButton* button = ControlOf<QPushButton>(Window(), name);
    EXPECT_EQ(button->text(), QString::fromUtf8(caption));
    EXPECT_EQ(button->size(), QSize(89, 33));
    EXPECT_GT(button->x(), left) << name;  // from left to right in this order
    left = button->x();
  }
}

TEST_F(SubjectWindowTest, AddUnderARootReturnsTheFocusToTheParentWithTheNewChildShown) {
  Focus("2");
  on_show_ = [this](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "部颁编码录入—下级");
    EXPECT_EQ(ControlOf<QLabel>(dialog, "Label3")->text(), "2");
    QTest::keyClicks(ControlOf<QLineEdit>(dialog, "dxMaskEdit1"), QStringLiteral("001"));
    ControlOf<QLineEdit>(dialog, "dxEdit2")->setText(QStringLiteral("餐饮"));
    ControlOf<QPushButton>(dialog, "BitBtn1")->click();
  };
  Press("BitBtn2");
  EXPECT_EQ(shown_, QStringList{"TForm7"});
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_EQ(Focused(), "2");
  ASSERT_TRUE(Tree().FindRow("2001"));
  EXPECT_EQ(Tree().FindRow("2001")->Text("lmc"), "支出\\餐饮");
  EXPECT_TRUE(Tree().isExpanded(Tree().currentIndex()));
  EXPECT_EQ(Tree().model()->rowCount(Tree().currentIndex()), 1);
}

// A level-6 subject opens the dialog for level 7; a level-7 subject gets no children and no dialog.
TEST_F(SubjectWindowTest, AddChildStopsAtTheSeventhLevel) {
  std::string code = "3001";
  for (int level = 3; level <= 7; ++level) code = AddSubject(code + "001", "层");
  const std::string level_six = code.substr(0, 16);

  Focus(level_six);
  Press("BitBtn2");
  EXPECT_EQ(shown_, QStringList{"TForm7"});
  EXPECT_EQ(add_dialog_.NewLevel(), 7);
  EXPECT_EQ(add_dialog_.Parent().id, level_six);
  EXPECT_TRUE(messages_.informed.isEmpty());

  shown_.clear();
  Focus(code);
  Press("BitBtn2");
  EXPECT_TRUE(shown_.isEmpty());
  EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kSevenLevelsAtMost)});
  EXPECT_EQ(Focused(), code);
}

struct DeleteCase {
  const char* code;
  const char* message;  // nullptr: deleted without a word
};

TEST_F(SubjectWindowTest, DeleteRefusesRootsParentsAndUsedSubjectsAndRemovesAnUnusedLeafAtOnce) {
  AddSubject("3002", "现金");
  const NewEntry income{EntryKind::Income, "2024.05.01", {"1002", 2}, {"3001", 2}, 50, "", "9999", ""};
  ASSERT_TRUE(PostEntry(db_, income).ok);
  const DeleteCase cases[] = {
      {"1", kCannotDeleteClassRoot},      {"3", kCannotDeleteClassRoot},    {"1001", kDeleteLowestLevelFirst},
      {"1001001", kDeleteLowestLevelFirst}, {"1002", kSubjectAlreadyUsed}, {"3001", kSubjectAlreadyUsed},
      {"3002", nullptr},                    {"1001001001", nullptr},
  };
  for (const DeleteCase& deleted : cases) {
    SCOPED_TRACE(deleted.code);
    messages_.informed.clear();
    Focus(deleted.code);
    Press("BitBtn3");
    EXPECT_TRUE(messages_.asked.isEmpty());
    if (deleted.message != nullptr) {
      EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(deleted.message)});
      EXPECT_TRUE(FindSubject(db_, deleted.code));
      EXPECT_EQ(Focused(), deleted.code);
    } else {
      EXPECT_TRUE(messages_.informed.isEmpty());
      EXPECT_FALSE(FindSubject(db_, deleted.code));
      EXPECT_FALSE(Tree().FindRow(deleted.code));
    }
  }
  // With its last child gone, the parent can go too.
  Focus("1001001");
  Press("BitBtn3");
  EXPECT_FALSE(FindSubject(db_, "1001001"));
}

TEST_F(SubjectWindowTest, ModifyRenamesThroughTheDialogAndKeepsTheFocus) {
  Focus("1001");
  on_show_ = [](QDialog& dialog) {
    EXPECT_EQ(ControlOf<QLabel>(dialog, "Label3")->text(), "1001");
    EXPECT_EQ(ControlOf<QLineEdit>(dialog, "dxEdit2")->text(), "工资");
    EXPECT_EQ(ControlOf<QLineEdit>(dialog, "dxEdit1")->text(), "月薪");
    ControlOf<QLineEdit>(dialog, "dxEdit2")->setText(QStringLiteral("薪水"));
    ControlOf<QPushButton>(dialog, "BitBtn1")->click();
  };
  Press("BitBtn1");
  EXPECT_EQ(shown_, QStringList{"TForm5"});
  EXPECT_EQ(Focused(), "1001");
  EXPECT_EQ(Tree().CurrentText("mc"), "薪水");
  EXPECT_EQ(Tree().FindRow("1001001001")->Text("lmc"), "收入\\薪水\\基本\\岗位");
}

TEST_F(SubjectWindowTest, ModifyRefusesAClassRoot) {
  for (const char* root : {"1", "2", "3"}) {
    messages_.informed.clear();
    Focus(root);
    Press("BitBtn1");
    EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kCannotModifyClassRoot)});
  }
  EXPECT_TRUE(shown_.isEmpty());
  EXPECT_EQ(FindSubject(db_, "1")->mc, "收入");
}

// Typed text becomes the note of the subject it was typed for once the focus moves on, not before.
TEST_F(SubjectWindowTest, NoteViewFollowsTheFocusAndStoresTypedTextWhenTheFocusMoves) {
  Focus("1001");
  EXPECT_EQ(Note().toPlainText(), "月薪");
  Note().moveCursor(QTextCursor::End);
  QTest::keyClicks(&Note(), QStringLiteral(", day 10"));
  EXPECT_EQ(FindSubject(db_, "1001")->bz, "月薪");

  Focus("1002");
  EXPECT_EQ(FindSubject(db_, "1001")->bz, "月薪, day 10");
  EXPECT_EQ(FindSubject(db_, "1002")->bz, "");
  EXPECT_EQ(Note().toPlainText(), "");
  EXPECT_EQ(Focused(), "1002");

  Focus("1001");
  EXPECT_EQ(Note().toPlainText(), "月薪, day 10");
  EXPECT_TRUE(messages_.errors.isEmpty());
}

TEST_F(SubjectWindowTest, NoteViewHoldsNoMoreThanTheColumn) {
  Focus("1002");
  Note().insertPlainText(QString(250, QChar('n')));
  EXPECT_EQ(Note().toPlainText().size(), 240);
  Focus("1001");
  EXPECT_EQ(FindSubject(db_, "1002")->bz, std::string(240, 'n'));
  EXPECT_TRUE(messages_.errors.isEmpty());
}

TEST_F(SubjectWindowTest, AddAndModifyNeedARow) {
  db_.Execute("delete from B_KM");
  Press("BitBtn2");
  Press("BitBtn1");
  Press("BitBtn3");
  EXPECT_EQ(messages_.informed,
            QStringList({QString::fromUtf8(kSelectRecordFirst), QString::fromUtf8(kSelectRecordFirst)}));
  EXPECT_TRUE(shown_.isEmpty());
  EXPECT_TRUE(messages_.errors.isEmpty());
}

class SubjectWindowPlacementTest : public SubjectWindowTest {
 protected:
  SubjectWindowPlacementTest() {
    frame_.resize(1200, 900);
    frame_.show();
    registry_.RegisterFactory("TForm6", [this] {
      return new SubjectMaintenanceWindow(db_, messages_, add_dialog_, modify_dialog_, SettingsPath());
    });
  }
  QMdiSubWindow* OpenFrame() {
    QWidget* window = registry_.Open("TForm6");
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
  }
  SettingsFile Settings() const { return SettingsFile(SettingsPath()); }

  QMdiArea frame_;
  ChildWindowRegistry registry_{frame_};
};

TEST_F(SubjectWindowPlacementTest, OpensAtTheDefaultPositionWithItsSizeAndWritesThePositionWhenClosed) {
  QMdiSubWindow* opened = OpenFrame();
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->pos(), QPoint(128, 120));
  EXPECT_EQ(opened->size(), QSize(619, 442));
  EXPECT_EQ(Settings().ReadString("KMFrm", "Top", "none"), "none");

  opened->move(40, 30);
  QPointer<QMdiSubWindow> closing = opened;
  ControlOf<QPushButton>(*opened->widget(), "BitBtn4")->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closing.isNull());
  EXPECT_EQ(registry_.Find("TForm6"), nullptr);
  EXPECT_EQ(Settings().ReadInteger("KMFrm", "Top", 0), 30);
  EXPECT_EQ(Settings().ReadInteger("KMFrm", "Left", 0), 40);

  QMdiSubWindow* reopened = OpenFrame();
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->pos(), QPoint(40, 30));
  EXPECT_EQ(reopened->size(), QSize(619, 442));
}

TEST_F(SubjectWindowPlacementTest, CloseBoxStoresTheTypedNoteAndThePosition) {
  QMdiSubWindow* opened = OpenFrame();
  ASSERT_NE(opened, nullptr);
  ControlOf<TreeList>(*opened->widget(), "dxDBTreeList1")->FocusKey("1002");
  ControlOf<QPlainTextEdit>(*opened->widget(), "dxDBMemo1")->insertPlainText(QStringLiteral("年终"));
  opened->move(12, 34);
  opened->close();
  EXPECT_EQ(FindSubject(db_, "1002")->bz, "年终");
  EXPECT_EQ(Settings().ReadInteger("KMFrm", "Top", 0), 34);
  EXPECT_EQ(Settings().ReadInteger("KMFrm", "Left", 0), 12);
}

// The settings file refuses the write: the error is shown and the window stays open.
TEST_F(SubjectWindowPlacementTest, RefusedPositionWriteKeepsTheWindowOpen) {
  settings_path_ = folder_ / "refused.INI";
  std::filesystem::create_directory(settings_path_);
  QMdiSubWindow* opened = OpenFrame();
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->pos(), QPoint(128, 120));
  ControlOf<QPushButton>(*opened->widget(), "BitBtn4")->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors.front().startsWith("Unable to write to ")) << messages_.errors.front().toStdString();
  EXPECT_EQ(registry_.Find("TForm6"), opened->widget());
  EXPECT_TRUE(opened->isVisible());
}

// A window still open when the program ends is destroyed without being closed: its section stays.
TEST_F(SubjectWindowPlacementTest, ProgramEndWithTheWindowOpenWritesNothing) {
  Settings().WriteInteger("KMFrm", "Top", 5);
  Settings().WriteInteger("KMFrm", "Left", 6);
  QMdiSubWindow* opened = OpenFrame();
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->pos(), QPoint(6, 5));
  opened->move(300, 200);
  delete opened;
  EXPECT_EQ(Settings().ReadInteger("KMFrm", "Top", 0), 5);
  EXPECT_EQ(Settings().ReadInteger("KMFrm", "Left", 0), 6);
}

}  // namespace
}  // namespace money
