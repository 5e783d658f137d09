#include "transactions/journal_window.h"

#include <gtest/gtest.h>

#include <QDateEdit>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "transactions/edit_dialog.h"
#include "transactions/entry_dialog.h"
#include "transactions/entry_messages.h"
#include "transactions/entry_windows_fixture.h"
#include "transactions/transaction_messages.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/group_grid.h"

namespace money {
namespace {

// A journal window with the entry and edit dialogs of its kind. A dialog it shows runs `script_` (the
// operator's work in it) and is then closed, as a modal dialog returns only once it is closed.
class JournalWindowTest : public test::EntryWindowsFixture {
 protected:
  JournalWindowTest() {
    on_reload_ = [this](EntryKind kind) {
      if (journal_ && journal_->Kind() == kind) journal_->ReloadEntries();
    };
  }

  JournalWindow& Open(EntryKind kind) {
    entry_dialog_ = std::make_unique<EntryDialog>(kind, Services());
    edit_dialog_ = std::make_unique<EditDialog>(kind, Services());
    journal_ = std::make_unique<JournalWindow>(kind, db_, messages_, *entry_dialog_, *edit_dialog_, SettingsPath(),
                                               [this](QDialog& dialog) { ShowModal(dialog); });
    journal_->resize(1000, 500);
    ShowActive(*journal_);
    return *journal_;
  }
  void ShowModal(QDialog& dialog) {
    shown_.push_back(dialog.objectName().toStdString());
    ShowActive(dialog);
    if (script_) script_(dialog);
    if (dialog.isVisible()) dialog.reject();
  }

  GroupGrid& Grid() { return journal_->Grid(); }
  // The texts of a column over the data rows, in grid order.
  std::vector<std::string> Column(const std::string& field) {
    GridModel& model = *Grid().Model();
    std::vector<std::string> texts;
    for (const size_t row : model.RowsInGridOrder()) texts.push_back(model.CellText(row, model.ColumnOf(field)));
    return texts;
  }
  void DoubleClickRow(size_t position) {
    GridView& view = *Grid().View();
    const QModelIndex index = Grid().Model()->IndexOfPosition(position);
    ASSERT_TRUE(index.isValid());
    const QPoint center = view.visualRect(index).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, center);
    EXPECT_EQ(Grid().CurrentPosition(), position);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, center);
  }

  std::unique_ptr<EntryDialog> entry_dialog_;
  std::unique_ptr<EditDialog> edit_dialog_;
  std::unique_ptr<JournalWindow> journal_;
  std::vector<std::string> shown_;
  std::function<void(QDialog&)> script_;
};

struct ColumnLooks {
  std::string field;
  std::string caption;
  int width;
  bool visible;
};

struct JournalLooks {
  EntryKind kind;
  const char* form;
  const char* caption;
  const char* source;
  const char* destination;
  std::vector<std::string> labels;  // kmbhs, kmmcs, kmbhd, kmmcd
  bool group_footers;
};

TEST_F(JournalWindowTest, EachKindShowsItsButtonsColumnsLabelsAndTotals) {
  const JournalLooks looks[] = {
      {EntryKind::Income,
       "TForm8",
       "收入",
       "1001",
       "3001",
       {"源(收入)科目编号", "源(收入)科目名称", "目的(节余)科目编号", "目的(节余)科目名称"},
       true},
      {EntryKind::Expense,
       "TForm19",
       "支出",
       "3001",
       "2001",
       {"源(节余)科目编号", "源(节余)科目名称", "目的(支出)科目编号", "目的(支出)科目名称"},
       false},
      {EntryKind::Transfer,
       "TForm23",
       "转帐",
       "3001",
       "3002",
       {"源(节余)科目编号", "源(节余)科目名称", "目的(节余)科目编号", "目的(节余)科目名称"},
       false},
  };
  for (const JournalLooks& look : looks) {
    SCOPED_TRACE(look.form);
    Post(look.kind, "2005.03.07", look.source, look.destination, 12);
    const JournalWindow& journal = Open(look.kind);
    EXPECT_EQ(journal.objectName(), look.form);
    EXPECT_EQ(journal.windowTitle(), QString::fromUtf8(look.caption));
    const char* captions[] = {"添加", "修改", "删除", "刷新", "退出"};
    for (int button = 0; button < 5; ++button) {
      const std::string name = "BitBtn" + std::to_string(button + 1);
      EXPECT_EQ(Control<QPushButton>(journal, name.c_str())->text(), QString::fromUtf8(captions[button]));
    }
    EXPECT_EQ(Grid().objectName(), QStringLiteral("dxDBGrid2"));

    const std::vector<ColumnLooks> expected = {
        {"lsh", "流水号", 65, true},
        {"ymd", "时间", 74, true},
        {"zy", "摘要", 146, true},
        {"je", "金额", 96, true},
        {"kmbhs", look.labels[0], 78, true},
        {"kmmcs", look.labels[1], 136, true},
        {"kmbhd", look.labels[2], 74, true},
        {"kmmcd", look.labels[3], 128, true},
        {"yy", "年", 0, true},
        {"ym", "年月", 0, true},
        {"UID", "用户编号", 54, true},
        {"UNAME", "用户名称", 134, true},
        {"skmmcs", "", 0, false},
        {"skmmcd", "", 0, false},
    };
    const std::vector<GridColumn>& columns = Grid().Model()->Columns();
    ASSERT_EQ(columns.size(), expected.size());
    for (size_t column = 0; column < columns.size(); ++column) {
      EXPECT_EQ(columns[column].field, expected[column].field);
      EXPECT_EQ(columns[column].caption, expected[column].caption) << expected[column].field;
      EXPECT_EQ(columns[column].width, expected[column].width) << expected[column].field;
      EXPECT_EQ(columns[column].visible, expected[column].visible) << expected[column].field;
    }
    EXPECT_EQ(Column("je"), std::vector<std::string>{"12.00"});

    Grid().GroupBy("ym");
    GridModel& model = *Grid().Model();
    const QModelIndex month = model.index(0, 0);
    EXPECT_EQ(model.GroupText(month), "年月 : 2005.03  合计 = 12");
    EXPECT_EQ(model.rowCount(month), look.group_footers ? 2 : 1);
    EXPECT_EQ(model.KindOf(model.index(model.rowCount(month) - 1, 0, month)) == GridModel::RowKind::kFooter,
              look.group_footers);
  }
}

TEST_F(JournalWindowTest, NewestEntryComesFirstWithLongNamesAndTheEditDialogGetsTheShortOnes) {
  Post(EntryKind::Income, "2005.03.01", "1002", "3002", 7.5, "奖金");
  Post(EntryKind::Expense, "2005.03.02", "3001", "2001", 3);
  Post(EntryKind::Income, "2005.03.07", "1001001", "3001001", -120.5, "工资");
  Open(EntryKind::Income);
  EXPECT_EQ(Column("lsh"), (std::vector<std::string>{"3", "1"}));
  EXPECT_EQ(Column("je"), (std::vector<std::string>{"-120.50", "7.50"}));
  EXPECT_EQ(Column("kmmcs"), (std::vector<std::string>{"收入\\工资\\基本工资", "收入\\奖金"}));
  EXPECT_EQ(Column("kmmcd"), (std::vector<std::string>{"节余\\中行\\活期", "节余\\现金"}));
  EXPECT_EQ(Column("yy"), (std::vector<std::string>{"2005", "2005"}));
  EXPECT_EQ(Column("UNAME"), (std::vector<std::string>{"系统管理员", "系统管理员"}));

  script_ = [](QDialog& dialog) {
    EXPECT_EQ(Control<QDateEdit>(dialog, "DateTimePicker1")->date(), QDate(2005, 3, 7));
    EXPECT_EQ(TextOf(dialog, "dxEdit1"), "1001001");
    EXPECT_EQ(TextOf(dialog, "dxEdit2"), "基本工资");
    EXPECT_EQ(TextOf(dialog, "dxEdit3"), "3001001");
    EXPECT_EQ(TextOf(dialog, "dxEdit4"), "活期");
    EXPECT_EQ(TextOf(dialog, "dxCalcEdit1"), "-120.50");
    EXPECT_EQ(TextOf(dialog, "dxEdit5"), "工资");
  };
  Click(*journal_, "BitBtn2");
  EXPECT_EQ(shown_, std::vector<std::string>{"TForm16"});
}

TEST_F(JournalWindowTest, EmptyJournalAnswersModifyDoubleClickAndDeleteWithTheirMessagesOnly) {
  Post(EntryKind::Expense, "2005.03.02", "3001", "2001", 3);
  Open(EntryKind::Transfer);
  Click(*journal_, "BitBtn2");
  QTest::mouseDClick(Grid().View()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
  Click(*journal_, "BitBtn3");
  EXPECT_EQ(messages_.informed,
            QStringList({QString::fromUtf8(kSelectEntryToModify), QString::fromUtf8(kSelectEntryToModify),
                         QString::fromUtf8(kSelectEntryToDelete)}));
  EXPECT_TRUE(messages_.asked.isEmpty());
  EXPECT_TRUE(shown_.empty());
}

TEST_F(JournalWindowTest, EntriesAddedThroughTheEntryDialogAppearFirstAfterEachSave) {
  Post(EntryKind::Expense, "2005.03.02", "3001", "2001", 3);
  Open(EntryKind::Expense);
  std::vector<std::vector<std::string>> seen;
  script_ = [this, &seen](QDialog& dialog) {
    KeyIn(dialog, {"3001001", "2001001", "4", "早餐"});
    Click(dialog, "BitBtn3");
    seen.push_back(Column("lsh"));
    KeyIn(dialog, {"3002", "2001", "5", "午餐"});
    Click(dialog, "BitBtn1");
  };
  Click(*journal_, "BitBtn1");
  EXPECT_EQ(shown_, std::vector<std::string>{"TForm20"});
  EXPECT_EQ(seen, (std::vector<std::vector<std::string>>{{"2", "1"}}));
  EXPECT_EQ(Column("lsh"), (std::vector<std::string>{"3", "2", "1"}));
  EXPECT_EQ(Column("zy"), (std::vector<std::string>{"午餐", "早餐", ""}));
  EXPECT_EQ(Grid().CurrentText("lsh"), "3");
}

TEST_F(JournalWindowTest, DoubleClickChangesTheFocusedEntryThroughTheEditDialog) {
  Post(EntryKind::Transfer, "2005.03.01", "3001", "3002", 100);
  Post(EntryKind::Transfer, "2005.03.02", "3002", "3001001", 30);
  Open(EntryKind::Transfer);
  script_ = [](QDialog& dialog) {
    EXPECT_EQ(TextOf(dialog, "dxEdit1"), "3001");
    Type(dialog, "dxCalcEdit1", "80");
    Click(dialog, "BitBtn1");
  };
  DoubleClickRow(1);
  EXPECT_EQ(shown_, std::vector<std::string>{"TForm25"});
  EXPECT_EQ(Column("je"), (std::vector<std::string>{"30.00", "80.00"}));
  EXPECT_EQ(Column("UID"), (std::vector<std::string>{"9999", "0001"}));
  EXPECT_DOUBLE_EQ(Balance("3001"), -80 + 30);
  EXPECT_DOUBLE_EQ(Balance("3002"), 80 - 30);
}

TEST_F(JournalWindowTest, DeleteAsksFirstAndOnYesTakesTheEntryOutOfTheBooksAndTheList) {
  Post(EntryKind::Income, "2005.03.01", "1002", "3002", 7.5);
  const std::vector<std::string> books_with_one = Books();
  Post(EntryKind::Income, "2005.03.07", "1001001", "3001001", 120.5);
  Open(EntryKind::Income);
  const std::vector<std::string> books_with_two = Books();

  Click(*journal_, "BitBtn3");
  EXPECT_EQ(messages_.asked, QStringList{QString::fromUtf8(kConfirmDelete)});
  EXPECT_EQ(Books(), books_with_two);
  EXPECT_EQ(Column("lsh"), (std::vector<std::string>{"2", "1"}));

  messages_.answers.push_back(Answer::kYes);
  Click(*journal_, "BitBtn3");
  EXPECT_EQ(messages_.asked.size(), 2);
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_EQ(Column("lsh"), std::vector<std::string>{"1"});
  std::vector<std::string> books = Books();
  books.back() = books_with_one.back();  // the counter does not go back
  EXPECT_EQ(books, books_with_one);
}

TEST_F(JournalWindowTest, FailedDeleteShowsTheMessageAndLeavesTheListAsItWas) {
  const long long serial = Post(EntryKind::Expense, "2005.03.02", "3001", "2001", 3);
  Open(EntryKind::Expense);
  // Deleted elsewhere since the list was read: undoing it again would corrupt the balances.
  ASSERT_TRUE(DeleteEntry(db_, StoredEntry{EntryKind::Expense, serial, "3001", "2001", 3}).ok);
  const std::vector<std::string> books = Books();
  messages_.answers.push_back(Answer::kYes);
  Click(*journal_, "BitBtn3");
  EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kSaveFailedMessage)});
  EXPECT_EQ(Books(), books);
  EXPECT_EQ(Column("lsh"), std::vector<std::string>{"1"});
}

TEST_F(JournalWindowTest, RefreshReadsTheEntriesAgainButNotTheChartSnapshot) {
  Open(EntryKind::Income);
  AddSubject("1003", "利息");
  Post(EntryKind::Income, "2005.03.01", "1003", "3002", 1.25);
  EXPECT_TRUE(Column("lsh").empty());
  Click(*journal_, "BitBtn4");
  EXPECT_EQ(Column("lsh"), std::vector<std::string>{"1"});
  EXPECT_EQ(Column("kmmcs"), std::vector<std::string>{""});
  EXPECT_EQ(Column("kmmcd"), std::vector<std::string>{"节余\\现金"});
}

TEST_F(JournalWindowTest, GroupingByMonthTotalsEachMonth) {
  Post(EntryKind::Income, "2005.03.01", "1002", "3002", 100);
  Post(EntryKind::Income, "2005.03.31", "1001", "3001", 20.555);
  Post(EntryKind::Income, "2005.04.01", "1001", "3001", -5);
  Post(EntryKind::Income, "2006.01.01", "1001", "3001", 0.5);
  Open(EntryKind::Income);
  Grid().GroupBy("ym");
  GridModel& model = *Grid().Model();
  std::vector<std::string> groups;
  for (int group = 0; group < model.rowCount(); ++group) groups.push_back(model.GroupText(model.index(group, 0)));
  EXPECT_EQ(groups, (std::vector<std::string>{"年月 : 2005.03  合计 = 120.56", "年月 : 2005.04  合计 = -5",
                                              "年月 : 2006.01  合计 = .5"}));
}

TEST_F(JournalWindowTest, GroupedListKeepsTheFocusedEntryThroughASaveSoModifyActsOnIt) {
  Post(EntryKind::Income, "2005.03.01", "1002", "3002", 100);
  Post(EntryKind::Income, "2005.04.01", "1001", "3001", 20);
  Open(EntryKind::Income);
  Grid().GroupBy("ym");
  Grid().SetCurrentPosition(0);  // serial 1, alone in March
  script_ = [](QDialog& dialog) {
    KeyIn(dialog, {"1001001", "3001001", "5", "新"});
    Click(dialog, "BitBtn1");
  };
  Click(*journal_, "BitBtn1");
  EXPECT_EQ(Rows("select lsh from B_SZ order by lsh"), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(Grid().Model()->DataRowCount(), 3u);

  std::string modified_source;
  script_ = [&modified_source](QDialog& dialog) { modified_source = TextOf(dialog, "dxEdit1"); };
  Click(*journal_, "BitBtn2");
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_EQ(shown_, (std::vector<std::string>{"TForm9", "TForm16"}));
  EXPECT_EQ(modified_source, "1002");
}

TEST_F(JournalWindowTest, AFocusedGroupRowIsNoChosenEntry) {
  Post(EntryKind::Income, "2005.03.01", "1002", "3002", 100);
  Open(EntryKind::Income);
  Grid().GroupBy("ym");
  Grid().View()->setCurrentIndex(Grid().Model()->index(0, 0));
  ASSERT_FALSE(Grid().CurrentIsDataRow());
  const std::vector<std::string> books = Books();
  messages_.answers.push_back(Answer::kYes);
  Click(*journal_, "BitBtn3");
  Click(*journal_, "BitBtn2");
  EXPECT_TRUE(messages_.asked.isEmpty());
  EXPECT_EQ(messages_.informed,
            (QStringList{QString::fromUtf8(kSelectEntryToDelete), QString::fromUtf8(kSelectEntryToModify)}));
  EXPECT_EQ(Books(), books);
}

}  // namespace
}  // namespace money
