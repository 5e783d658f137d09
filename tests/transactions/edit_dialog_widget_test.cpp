#include "transactions/edit_dialog.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateEdit>
#include <QLabel>

#include <stdexcept>
#include <string>
#include <vector>

#include "storage/settings_file.h"
#include "transactions/entry_messages.h"
#include "transactions/entry_windows_fixture.h"
#include "transactions/subject_entry_form.h"
#include "transactions/transaction_messages.h"

namespace money {
namespace {

void Replace(std::string& text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
}

class EditDialogTest : public test::EntryWindowsFixture {
 protected:
  EditDialog& Dialog(EntryKind kind) {
    if (!dialogs_[kind]) dialogs_[kind] = std::make_unique<EditDialog>(kind, Services());
    return *dialogs_[kind];
  }
  // Posts an entry as another operator saved it, fills the dialog of its kind with its journal row as the
  // journal window hands it over, and shows the dialog.
  EditDialog& Opened(EntryKind kind, const std::string& date, const std::string& source, const std::string& destination,
                     double amount, const std::string& memo = "") {
    const long long serial = Post(kind, date, source, destination, amount, memo);
    EditDialog& dialog = Dialog(kind);
    dialog.Fill(JournalRow{serial, date, source, destination, memo, amount, ShortName(source), ShortName(destination)});
    ShowActive(dialog);
    return dialog;
  }
  std::string ShortName(const std::string& code) { return Rows("select mc from B_KM where id='" + code + "'").at(0); }
  static QDate DateOf(const QWidget& dialog) { return Control<QDateEdit>(dialog, "DateTimePicker1")->date(); }

  std::map<EntryKind, std::unique_ptr<EditDialog>> dialogs_;
};

struct DialogLooks {
  EntryKind kind;
  const char* form;
  const char* source_label;
  const char* destination_label;
  const char* section;
};

TEST_F(EditDialogTest, EachKindShowsItsLabelsButtonsAndPositionFromItsSection) {
  const DialogLooks looks[] = {
      {EntryKind::Income, "TForm16", "源(收入)科目：", "目的(节余)科目：", "SRmFrm"},
      {EntryKind::Expense, "TForm21", "源(节余)科目：", "目的(支出)科目：", "ZCmFrm"},
      {EntryKind::Transfer, "TForm25", "源(节余)科目：", "目的(节余)科目：", "ZZmFrm"},
  };
  SettingsFile settings(SettingsPath());
  settings.WriteInteger("ZCmFrm", "Top", 5);
  settings.WriteInteger("ZCmFrm", "Left", 6);
  for (const DialogLooks& look : looks) {
    SCOPED_TRACE(look.form);
    EditDialog& dialog = Dialog(look.kind);
    EXPECT_EQ(dialog.objectName(), look.form);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("所选记录修改为"));
    EXPECT_EQ(Control<QLabel>(dialog, "Label2")->text(), QString::fromUtf8(look.source_label));
    EXPECT_EQ(Control<QLabel>(dialog, "Label3")->text(), QString::fromUtf8(look.destination_label));
    EXPECT_EQ(Control<QPushButton>(dialog, "BitBtn1")->text(), QStringLiteral("确定"));
    EXPECT_EQ(Control<QPushButton>(dialog, "BitBtn2")->text(), QStringLiteral("取消"));
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn3")), nullptr);
    EXPECT_EQ(dialog.pos(), look.kind == EntryKind::Expense ? QPoint(6, 5) : QPoint(238, 138));

    dialog.move(70, 80);
    dialog.StorePosition();
    EXPECT_EQ(settings.ReadInteger(look.section, "Top", 0), 80);
    EXPECT_EQ(settings.ReadInteger(look.section, "Left", 0), 70);
  }
}

struct StoredCase {
  EntryKind kind;
  const char* source;
  const char* destination;
  double amount;
  const char* amount_shown;
};

TEST_F(EditDialogTest, ConfirmedUnchangedEntryKeepsEverythingButIsReattributedToTheOperator) {
  const StoredCase cases[] = {
      {EntryKind::Income, "1001001", "3001", 120.5, "120.50"},
      {EntryKind::Expense, "3001", "2001001", -30.25, "-30.25"},
      {EntryKind::Transfer, "3001001", "3002", 40, "40.00"},
  };
  for (const StoredCase& test_case : cases) {
    SCOPED_TRACE(test_case.source);
    reloads_.clear();
    EditDialog& dialog =
        Opened(test_case.kind, "2005.03.07", test_case.source, test_case.destination, test_case.amount, "工资");
    EXPECT_EQ(DateOf(dialog), QDate(2005, 3, 7));
    EXPECT_EQ(TextOf(dialog, "dxEdit1"), test_case.source);
    EXPECT_EQ(TextOf(dialog, "dxEdit2"), ShortName(test_case.source));
    EXPECT_EQ(TextOf(dialog, "dxEdit3"), test_case.destination);
    EXPECT_EQ(TextOf(dialog, "dxEdit4"), ShortName(test_case.destination));
    EXPECT_EQ(TextOf(dialog, "dxCalcEdit1"), test_case.amount_shown);
    EXPECT_EQ(TextOf(dialog, "dxEdit5"), "工资");

    std::vector<std::string> expected = Books();
    for (std::string& row : expected) {
      Replace(row, "|9999|系统管理员|", "|0001|记账员|");
      Replace(row, "|9999|", "|0001|");
    }
    Click(dialog, "BitBtn1");
    EXPECT_TRUE(messages_.informed.isEmpty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Books(), expected);
    EXPECT_EQ(reloads_, std::vector<EntryKind>{test_case.kind});
  }
}

TEST_F(EditDialogTest, MovingTheDestinationOfAnIncomeMovesItsAmountBetweenTheSavingsChains) {
  EditDialog& dialog = Opened(EntryKind::Income, "2005.03.07", "1001", "3001001", 50);
  Type(dialog, "dxEdit3", "3002");
  Click(dialog, "BitBtn1");
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_DOUBLE_EQ(Balance("3001001"), 0);
  EXPECT_DOUBLE_EQ(Balance("3001"), 0);
  EXPECT_DOUBLE_EQ(Balance("3002"), 50);
  EXPECT_DOUBLE_EQ(Balance("3"), 50);
  EXPECT_DOUBLE_EQ(Balance("1001"), 50);
  EXPECT_EQ(Rows("select lsh, kmbhs, kmbhd from B_SZ"), std::vector<std::string>{"1|1001|3002"});
}

TEST_F(EditDialogTest, DateMovedAcrossAMonthMovesTheEntryAndAllItsLines) {
  EditDialog& dialog = Opened(EntryKind::Expense, "2005.03.31", "3001", "2001", 12);
  Control<QDateEdit>(dialog, "DateTimePicker1")->setDate(QDate(2005, 4, 1));
  Click(dialog, "BitBtn1");
  EXPECT_EQ(Rows("select distinct ymd from B_SZ"), std::vector<std::string>{"2005.04.01"});
  EXPECT_EQ(Rows("select distinct ymd from B_MX"), std::vector<std::string>{"2005.04.01"});
  EXPECT_EQ(Count("select count(*) from B_MX"), 4);
}

TEST_F(EditDialogTest, CancelAfterEditingEveryFieldWritesNothing) {
  for (const char* way : {"BitBtn2", "Esc"}) {
    SCOPED_TRACE(way);
    EditDialog& dialog = Opened(EntryKind::Transfer, "2005.03.07", "3001", "3002", 10, "旧");
    const std::vector<std::string> books = Books();
    Control<QDateEdit>(dialog, "DateTimePicker1")->setDate(QDate(2006, 1, 1));
    KeyIn(dialog, {"3001001", "3001", "99", "新"});
    if (std::string(way) == "Esc") {
      QTest::keyClick(&dialog, Qt::Key_Escape);
    } else {
      Click(dialog, way);
    }
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Books(), books);
    EXPECT_TRUE(reloads_.empty());
  }
}

TEST_F(EditDialogTest, FailedChangeKeepsTheDialogAndTheBooksAndConfirmingAgainRetriesTheSameChange) {
  EditDialog& dialog = Opened(EntryKind::Income, "2005.03.07", "1001", "3001", 100, "工资");
  const std::vector<std::string> books = Books();
  Type(dialog, "dxCalcEdit1", "80");
  Type(dialog, "dxEdit5", std::string(201, 'x'));
  Click(dialog, "BitBtn1");
  EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kSaveFailedMessage)});
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(TextOf(dialog, "dxCalcEdit1"), "80");
  EXPECT_EQ(Books(), books);
  EXPECT_TRUE(reloads_.empty());

  Type(dialog, "dxEdit5", "工资");
  Click(dialog, "BitBtn1");
  EXPECT_EQ(messages_.informed.size(), 1);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(Rows("select lsh, je, zy from B_SZ"), std::vector<std::string>{"1|80|工资"});
  for (const char* code : {"1001", "1", "3001", "3"}) EXPECT_DOUBLE_EQ(Balance(code), 80) << code;
}

TEST_F(EditDialogTest, MissingCodeOrZeroAmountIsRefusedAndTypedCodesAreCheckedInTheirOwnClass) {
  EditDialog& dialog = Opened(EntryKind::Transfer, "2005.03.07", "3001", "3002", 10);
  const std::vector<std::string> books = Books();
  Type(dialog, "dxEdit3", "2001");  // an expense subject in a savings editor
  MoveFocusTo(dialog, "dxEdit5");
  EXPECT_EQ(messages_.informed, QStringList{QString::fromStdString(SubjectNotFoundMessage("2001"))});
  EXPECT_EQ(TextOf(dialog, "dxEdit3"), "");
  EXPECT_EQ(TextOf(dialog, "dxEdit4"), "");

  Click(dialog, "BitBtn1");
  Type(dialog, "dxEdit3", "3002");
  Type(dialog, "dxCalcEdit1", "0");
  Click(dialog, "BitBtn1");
  EXPECT_EQ(messages_.informed.mid(1),
            QStringList({QString::fromUtf8(kRequiredFieldsMissing), QString::fromUtf8(kRequiredFieldsMissing)}));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Books(), books);
}

struct PickCase {
  EntryKind kind;
  const char* editor;
  SubjectClass picker;
  std::string tag;
  const char* picked;
};

TEST_F(EditDialogTest, RightClickPicksWithTheDialogsTagsAndThePickIsPosted) {
  const PickCase cases[] = {
      {EntryKind::Income, "dxEdit1", SubjectClass::kIncome, "Form16", "1002"},
      {EntryKind::Income, "dxEdit3", SubjectClass::kSavings, "Form16", "3002"},
      {EntryKind::Expense, "dxEdit1", SubjectClass::kSavings, "Form21", "3002"},
      {EntryKind::Expense, "dxEdit3", SubjectClass::kExpense, "Form21", "2001001"},
      {EntryKind::Transfer, "dxEdit1", SubjectClass::kSavings, std::string(kModifyTransferSourceTag), "3002"},
      {EntryKind::Transfer, "dxEdit3", SubjectClass::kSavings, std::string(kModifyTransferDestinationTag), "3001001"},
  };
  for (const PickCase& test_case : cases) {
    SCOPED_TRACE(test_case.tag + test_case.editor);
    opened_pickers_.clear();
    const bool source = std::string(test_case.editor) == "dxEdit1";
    const char* source_code = test_case.kind == EntryKind::Income ? "1001" : "3001";
    const char* destination_code = test_case.kind == EntryKind::Expense ? "2001" : "3001";
    EditDialog& dialog = Opened(test_case.kind, "2005.03.07", source_code, destination_code, 7);
    next_pick_ = test_case.picked;
    QTest::mousePress(Editor(dialog, test_case.editor), Qt::RightButton);
    EXPECT_EQ(opened_pickers_, (std::vector<std::pair<SubjectClass, std::string>>{{test_case.picker, test_case.tag}}));
    EXPECT_EQ(TextOf(dialog, test_case.editor), test_case.picked);
    EXPECT_EQ(TextOf(dialog, source ? "dxEdit2" : "dxEdit4"), ShortName(test_case.picked));
    EXPECT_EQ(TextOf(dialog, source ? "dxEdit3" : "dxEdit1"), source ? destination_code : source_code);

    Click(dialog, "BitBtn1");
    EXPECT_TRUE(messages_.informed.isEmpty());
    const std::string serial = std::to_string(Counter());
    EXPECT_EQ(Rows("select " + std::string(source ? "kmbhs" : "kmbhd") + " from B_SZ where lsh=" + serial),
              std::vector<std::string>{test_case.picked});
  }
}

TEST_F(EditDialogTest, EnterChainEndsOnConfirm) {
  EditDialog& dialog = Opened(EntryKind::Income, "2005.03.07", "1001", "3001", 1);
  Editor(dialog, "dxEdit5")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Control<QPushButton>(dialog, "BitBtn1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(EditDialogTest, EveryShowingStartsInTheSourceCodeWhichLeadsTheKeyboardOrder) {
  EditDialog& dialog = Opened(EntryKind::Expense, "2005.03.07", "3001", "2001", 1);
  EXPECT_EQ(QApplication::focusWidget(), Editor(dialog, "dxEdit1"));
  EXPECT_EQ(TabChain(), (std::vector<std::string>{"dxEdit3", "dxCalcEdit1", "dxEdit5", "DateTimePicker1", "Button1",
                                                  "Button2", "BitBtn1", "BitBtn2", "dxEdit1"}));

  // Closed with the focus on "确定", where a stray Enter would confirm: the next showing starts over.
  Editor(dialog, "dxEdit5")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_EQ(QApplication::focusWidget(), Control<QPushButton>(dialog, "BitBtn1"));
  dialog.reject();
  dialog.Fill(JournalRow{1, "2005.03.07", "3001", "2001", "", 1, "中行", "餐饮"});
  ShowActive(dialog);
  EXPECT_EQ(QApplication::focusWidget(), Editor(dialog, "dxEdit1"));
  EXPECT_EQ(Rows("select UID from B_SZ"), std::vector<std::string>{"9999"});
}

TEST_F(EditDialogTest, DateTextThatNamesNoDayIsRefusedAndTakesNothing) {
  EditDialog& dialog = Opened(EntryKind::Income, "2005.03.07", "1001", "3001", 1, "一");
  dialog.reject();
  EXPECT_THROW(dialog.Fill(JournalRow{9, "2005.02.30", "1002", "3002", "二", 2, "奖金", "现金"}),
               std::invalid_argument);
  EXPECT_EQ(TextOf(dialog, "dxEdit1"), "1001");
  EXPECT_EQ(DateOf(dialog), QDate(2005, 3, 7));
  ShowActive(dialog);
  Click(dialog, "BitBtn1");
  EXPECT_EQ(Rows("select lsh, UID from B_SZ"), std::vector<std::string>{"1|0001"});
}

}  // namespace
}  // namespace money
