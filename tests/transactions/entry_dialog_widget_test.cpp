#include "transactions/entry_dialog.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateEdit>
#include <QLabel>

#include <string>
#include <vector>

#include "storage/settings_file.h"
#include "transactions/entry_form.h"
#include "transactions/entry_messages.h"
#include "transactions/entry_windows_fixture.h"
#include "transactions/subject_entry_form.h"
#include "transactions/transaction_messages.h"

namespace money {
namespace {

std::string Today() {
  const QDate today = QDate::currentDate();
  return DateText({today.year(), today.month(), today.day()});
}

class EntryDialogTest : public test::EntryWindowsFixture {
 protected:
  EntryDialog& Dialog(EntryKind kind) {
    if (!dialogs_[kind]) dialogs_[kind] = std::make_unique<EntryDialog>(kind, Services());
    return *dialogs_[kind];
  }
  EntryDialog& Shown(EntryKind kind) {
    EntryDialog& dialog = Dialog(kind);
    ShowActive(dialog);
    return dialog;
  }
  static void SetDate(const QWidget& dialog, const QDate& date) {
    Control<QDateEdit>(dialog, "DateTimePicker1")->setDate(date);
  }
  static QDate DateOf(const QWidget& dialog) { return Control<QDateEdit>(dialog, "DateTimePicker1")->date(); }

  std::map<EntryKind, std::unique_ptr<EntryDialog>> dialogs_;
};

struct DialogLooks {
  EntryKind kind;
  const char* form;
  const char* caption;
  const char* source_label;
  const char* destination_label;
  const char* close_caption;
};

TEST_F(EntryDialogTest, EachKindShowsItsCaptionsLabelsAndButtons) {
  const DialogLooks looks[] = {
      {EntryKind::Income, "TForm9", "添加收入", "源(收入)科目：", "目的(节余)科目：", "退出"},
      {EntryKind::Expense, "TForm20", "添加支出", "源(节余)科目：", "目的(支出)科目：", "退出"},
      {EntryKind::Transfer, "TForm24", "转帐", "源(节余)科目：", "目的(节余)科目：", "取消"},
  };
  for (const DialogLooks& look : looks) {
    SCOPED_TRACE(look.form);
    const EntryDialog& dialog = Dialog(look.kind);
    EXPECT_EQ(dialog.objectName(), look.form);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(look.caption));
    EXPECT_EQ(Control<QLabel>(dialog, "Label1")->text(), QStringLiteral("时间："));
    EXPECT_EQ(Control<QLabel>(dialog, "Label2")->text(), QString::fromUtf8(look.source_label));
    EXPECT_EQ(Control<QLabel>(dialog, "Label3")->text(), QString::fromUtf8(look.destination_label));
    EXPECT_EQ(Control<QLabel>(dialog, "Label4")->text(), QStringLiteral("金额："));
    EXPECT_EQ(Control<QLabel>(dialog, "Label5")->text(), QStringLiteral("摘要："));
    EXPECT_EQ(Control<QPushButton>(dialog, "BitBtn3")->text(), QStringLiteral("存盘继续"));
    EXPECT_EQ(Control<QPushButton>(dialog, "BitBtn1")->text(), QStringLiteral("存盘退出"));
    EXPECT_EQ(Control<QPushButton>(dialog, "BitBtn2")->text(), QString::fromUtf8(look.close_caption));
    EXPECT_EQ(Control<QPushButton>(dialog, "Button1")->text(), QStringLiteral("?"));
    EXPECT_EQ(Control<QPushButton>(dialog, "Button2")->text(), QStringLiteral("?"));
    EXPECT_TRUE(Editor(dialog, "dxEdit2")->isReadOnly());
    EXPECT_TRUE(Editor(dialog, "dxEdit4")->isReadOnly());
    EXPECT_EQ(TextOf(dialog, "dxCalcEdit1"), "0");
    EXPECT_EQ(dialog.font().family(), QStringLiteral("新宋体"));
    EXPECT_EQ(dialog.font().pixelSize(), 13);
  }
}

// One entry of each kind, saved by either button.
struct SaveCase {
  EntryKind kind;
  const char* button;
  test::TypedEntry input;
  std::string stored_row;
  std::map<std::string, double> balances;
};

TEST_F(EntryDialogTest, SavesEachKindAndThenClosesOrEmptiesItselfForTheNext) {
  const std::map<std::string, double> income = {{"1001001", 120.5}, {"1001", 120.5}, {"1", 120.5},
                                                {"3001", 120.5},    {"3", 120.5},    {"1002", 0}};
  const std::map<std::string, double> expense = {{"3001", -30}, {"3", -30}, {"2001001", 30}, {"2001", 30}, {"2", 30}};
  const std::map<std::string, double> transfer = {{"3001001", -40}, {"3001", -40}, {"3002", 40}, {"3", 0}};
  const SaveCase cases[] = {
      {EntryKind::Income,
       "BitBtn1",
       {"1001001", "3001", "120.50", "工资"},
       "2005.03.07|1001001|3001|120.5|工资|0001|记账员|1",
       income},
      {EntryKind::Income,
       "BitBtn3",
       {"1001001", "3001", "120.5", "工资"},
       "2005.03.07|1001001|3001|120.5|工资|0001|记账员|1",
       income},
      {EntryKind::Expense,
       "BitBtn1",
       {"3001", "2001001", "30", "早饭"},
       "2005.03.07|3001|2001001|30|早饭|0001|记账员|2",
       expense},
      {EntryKind::Expense,
       "BitBtn3",
       {"3001", "2001001", "30", ""},
       "2005.03.07|3001|2001001|30||0001|记账员|2",
       expense},
      {EntryKind::Transfer,
       "BitBtn1",
       {"3001001", "3002", "40", "取现"},
       "2005.03.07|3001001|3002|40|取现|0001|记账员|3",
       transfer},
      {EntryKind::Transfer,
       "BitBtn3",
       {"3001001", "3002", "40", "取现"},
       "2005.03.07|3001001|3002|40|取现|0001|记账员|3",
       transfer},
  };
  for (const SaveCase& test_case : cases) {
    SCOPED_TRACE(std::to_string(KindNumber(test_case.kind)) + test_case.button);
    db_.Execute("delete from B_MX");
    db_.Execute("delete from B_SZ");
    db_.Execute("update B_KM set ye=0");
    reloads_.clear();
    EntryDialog& dialog = Shown(test_case.kind);
    SetDate(dialog, QDate(2005, 3, 7));
    KeyIn(dialog, test_case.input);
    const long long serial = Counter() + 1;
    Click(dialog, test_case.button);

    EXPECT_TRUE(messages_.informed.isEmpty()) << messages_.informed.join("|").toStdString();
    EXPECT_EQ(Rows("select * from B_SZ"),
              std::vector<std::string>{std::to_string(serial) + "|" + test_case.stored_row});
    for (const auto& [code, balance] : test_case.balances) EXPECT_DOUBLE_EQ(Balance(code), balance) << code;
    EXPECT_EQ(reloads_, std::vector<EntryKind>{test_case.kind});
    EXPECT_EQ(CheckLedger(db_), std::vector<std::string>{});
    if (std::string(test_case.button) == "BitBtn1") {
      EXPECT_FALSE(dialog.isVisible());
      EXPECT_EQ(dialog.result(), QDialog::Accepted);
    } else {
      EXPECT_TRUE(dialog.isVisible());
      for (const char* editor : {"dxEdit1", "dxEdit2", "dxEdit3", "dxEdit4", "dxEdit5", "dxCalcEdit1"}) {
        EXPECT_EQ(TextOf(dialog, editor), "") << editor;
      }
      EXPECT_EQ(DateOf(dialog), QDate(2005, 3, 7));
      EXPECT_EQ(QApplication::focusWidget(), Editor(dialog, "dxEdit1"));
      dialog.reject();
    }
  }
}

TEST_F(EntryDialogTest, ReopenedDialogShowsTodayAndEmptyEditorsButKeepsTheAmount) {
  EntryDialog& dialog = Shown(EntryKind::Income);
  SetDate(dialog, QDate(2005, 3, 7));
  KeyIn(dialog, {"1001", "3001", "120.50", "工资"});
  EXPECT_EQ(TextOf(dialog, "dxCalcEdit1"), "120.5");
  Click(dialog, "BitBtn1");
  ASSERT_FALSE(dialog.isVisible());

  ShowActive(dialog);
  EXPECT_EQ(DateOf(dialog), QDate::currentDate());
  for (const char* editor : {"dxEdit1", "dxEdit2", "dxEdit3", "dxEdit4", "dxEdit5"}) {
    EXPECT_EQ(TextOf(dialog, editor), "") << editor;
  }
  EXPECT_EQ(TextOf(dialog, "dxCalcEdit1"), "120.5");
  EXPECT_EQ(QApplication::focusWidget(), Editor(dialog, "dxEdit1"));

  // The date of a save is the picker's, written yyyy.MM.dd.
  KeyIn(dialog, {"1002", "3002", "8", ""});
  Click(dialog, "BitBtn1");
  EXPECT_EQ(Rows("select ymd from B_SZ where lsh=2"), std::vector<std::string>{Today()});
}

// What a code typed into an editor becomes when the operator leaves it.
struct TypedCode {
  EntryKind kind;
  const char* editor;
  const char* name_editor;
  std::string typed;
  std::string code_after;  // "" when refused
  std::string name_after;
  int level_after;
};

TEST_F(EntryDialogTest, TypedCodeIsTrimmedAndLookedUpInTheListOfTheEditorsClassWhenLeft) {
  const TypedCode cases[] = {
      {EntryKind::Income, "dxEdit1", "dxEdit2", " 1001001 ", "1001001", "基本工资", 3},
      {EntryKind::Income, "dxEdit3", "dxEdit4", "3001  ", "3001", "中行", 2},
      {EntryKind::Expense, "dxEdit3", "dxEdit4", "  2001", "2001", "餐饮", 2},
      {EntryKind::Transfer, "dxEdit1", "dxEdit2", "3001001", "3001001", "活期", 3},
      {EntryKind::Income, "dxEdit1", "dxEdit2", "1", "", "", 0},        // the class root
      {EntryKind::Income, "dxEdit1", "dxEdit2", " 3001 ", "", "", 0},   // another class
      {EntryKind::Expense, "dxEdit3", "dxEdit4", "2009", "", "", 0},    // no such subject
      {EntryKind::Transfer, "dxEdit3", "dxEdit4", "30010", "", "", 0},  // a prefix of no code
  };
  for (const TypedCode& test_case : cases) {
    SCOPED_TRACE(test_case.typed);
    messages_.informed.clear();
    EntryDialog& dialog = Shown(test_case.kind);
    const PickSide side = std::string(test_case.editor) == "dxEdit1" ? PickSide::kSource : PickSide::kDestination;
    dialog.Form().ShowSubject(side, "stale", "stale name");
    Type(dialog, test_case.editor, test_case.typed);
    MoveFocusTo(dialog, "dxEdit5");

    EXPECT_EQ(TextOf(dialog, test_case.editor), test_case.code_after);
    EXPECT_EQ(TextOf(dialog, test_case.name_editor), test_case.name_after);
    if (test_case.code_after.empty()) {
      EXPECT_EQ(messages_.informed, QStringList{QString::fromStdString(SubjectNotFoundMessage(test_case.typed))});
    } else {
      EXPECT_TRUE(messages_.informed.isEmpty());
      EXPECT_EQ(dialog.Form().Level(side), test_case.level_after);
    }
    dialog.reject();
  }
}

TEST_F(EntryDialogTest, BlankCodeIsAcceptedUnchangedAndNotRefusedWhenLeft) {
  EntryDialog& dialog = Shown(EntryKind::Income);
  Type(dialog, "dxEdit1", "   ");
  MoveFocusTo(dialog, "dxEdit3");
  EXPECT_EQ(TextOf(dialog, "dxEdit1"), "   ");
  EXPECT_TRUE(messages_.informed.isEmpty());
}

TEST_F(EntryDialogTest, CodeAddedAfterThePickerLoadedIsRefusedUntilThePickerIsRefreshed) {
  AddSubject("1003", "利息");
  EntryDialog& dialog = Shown(EntryKind::Income);
  Type(dialog, "dxEdit1", "1003");
  MoveFocusTo(dialog, "dxEdit3");
  EXPECT_EQ(messages_.informed, QStringList{QString::fromStdString(SubjectNotFoundMessage("1003"))});
  EXPECT_EQ(TextOf(dialog, "dxEdit1"), "");

  Click(Picker(SubjectClass::kIncome), "BitBtn1");  // "刷新"
  Type(dialog, "dxEdit1", "1003");
  MoveFocusTo(dialog, "dxEdit3");
  EXPECT_EQ(messages_.informed.size(), 1);
  EXPECT_EQ(TextOf(dialog, "dxEdit2"), "利息");
}

TEST_F(EntryDialogTest, TypedCodeNotYetLeftIsCheckedOnceBeforeTheSave) {
  EntryDialog& dialog = Shown(EntryKind::Expense);
  KeyIn(dialog, {"3001", "2001", "5", ""});
  Type(dialog, "dxEdit1", "2");
  Click(dialog, "BitBtn1");
  EXPECT_EQ(messages_.informed, QStringList{QString::fromStdString(SubjectNotFoundMessage("2"))});
  EXPECT_EQ(Count("select count(*) from B_SZ"), 0);
  EXPECT_EQ(Counter(), 0);
  EXPECT_TRUE(dialog.isVisible());

  // A code typed with blanks and saved at once is posted trimmed.
  Type(dialog, "dxEdit1", " 3001001 ");
  Click(dialog, "BitBtn1");
  EXPECT_EQ(Rows("select kmbhs from B_SZ"), std::vector<std::string>{"3001001"});
  EXPECT_DOUBLE_EQ(Balance("3001001"), -5);
}

TEST_F(EntryDialogTest, AmountIsRewrittenInSqlNumberFormWhenLeftAndTextThatIsNoNumberIsRefused) {
  EntryDialog& dialog = Shown(EntryKind::Income);
  const std::pair<std::string, std::string> rewritten[] = {
      {"12.50", "12.5"}, {" 007 ", "7"}, {"-20.000", "-20"}, {"1e3", "1000"}};
  for (const auto& [typed, shown] : rewritten) {
    Type(dialog, "dxCalcEdit1", typed);
    MoveFocusTo(dialog, "dxEdit5");
    EXPECT_EQ(TextOf(dialog, "dxCalcEdit1"), shown) << typed;
  }
  EXPECT_TRUE(messages_.informed.isEmpty());

  Type(dialog, "dxCalcEdit1", "12,5");
  MoveFocusTo(dialog, "dxEdit5");
  EXPECT_EQ(messages_.informed, QStringList{QString::fromStdString(InvalidNumberMessage("12,5"))});
  EXPECT_EQ(TextOf(dialog, "dxCalcEdit1"), "12,5");

  // Saving with it stops with the conversion error and writes nothing.
  KeyIn(dialog, {"1001", "3001", "12,5", ""});
  messages_.informed.clear();
  Click(dialog, "BitBtn1");
  EXPECT_EQ(messages_.informed, QStringList{QString::fromStdString(InvalidNumberMessage("12,5"))});
  EXPECT_EQ(Counter(), 0);
}

// The save checks in their order; none allocates a serial number or writes anything.
struct RefusedSave {
  const char* source;
  const char* destination;
  const char* amount;
  std::string message;
};

TEST_F(EntryDialogTest, SaveChecksStopWithTheirMessageAndWriteNothing) {
  const RefusedSave cases[] = {
      {"", "3001", "5", kRequiredFieldsMissing},      {"1001", "", "5", kRequiredFieldsMissing},
      {"", "", "abc", kRequiredFieldsMissing},  // the amount is read only when both codes are there
      {"1001", "3001", "0", kRequiredFieldsMissing},  {"1001", "3001", "0.00", kRequiredFieldsMissing},
      {"1001", "3001", "", InvalidNumberMessage("")}, {"1001", "3001", "x", InvalidNumberMessage("x")},
  };
  const std::vector<std::string> books = Books();
  for (const RefusedSave& test_case : cases) {
    SCOPED_TRACE(std::string(test_case.source) + "/" + test_case.destination + "/" + test_case.amount);
    for (const char* button : {"BitBtn1", "BitBtn3"}) {
      EntryDialog& dialog = Shown(EntryKind::Income);
      dialog.Form().ShowSubject(PickSide::kSource, test_case.source, "");
      dialog.Form().ShowSubject(PickSide::kDestination, test_case.destination, "");
      dialog.Form().SetAmountText(test_case.amount);
      messages_.informed.clear();
      Click(dialog, button);
      EXPECT_EQ(messages_.informed, QStringList{QString::fromStdString(test_case.message)});
      EXPECT_TRUE(dialog.isVisible());
      EXPECT_EQ(TextOf(dialog, "dxCalcEdit1"), test_case.amount);
      dialog.reject();
    }
  }
  EXPECT_EQ(Books(), books);
  EXPECT_TRUE(reloads_.empty());
}

TEST_F(EntryDialogTest, AfterSaveAndContinueAnEmptyAmountStopsTheNextSaveWithTheConversionError) {
  EntryDialog& dialog = Shown(EntryKind::Income);
  KeyIn(dialog, {"1001", "3001", "10", ""});
  Click(dialog, "BitBtn3");
  ASSERT_EQ(Counter(), 1);

  Type(dialog, "dxEdit1", "1002");
  Type(dialog, "dxEdit3", "3002");
  MoveFocusTo(dialog, "dxEdit5");
  Click(dialog, "BitBtn1");
  EXPECT_EQ(messages_.informed, QStringList{QString::fromStdString(InvalidNumberMessage(""))});
  EXPECT_EQ(Counter(), 1);
  EXPECT_EQ(Count("select count(*) from B_SZ"), 1);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(EntryDialogTest, NegativeIncomeLowersBothSubjectsAndATransferToItselfChangesNoBalance) {
  EntryDialog& income = Shown(EntryKind::Income);
  KeyIn(income, {"1001", "3001", "-20", "冲回"});
  Click(income, "BitBtn1");
  EXPECT_TRUE(messages_.informed.isEmpty());
  for (const char* code : {"1001", "1", "3001", "3"}) EXPECT_DOUBLE_EQ(Balance(code), -20) << code;

  EntryDialog& transfer = Shown(EntryKind::Transfer);
  KeyIn(transfer, {"3001001", "3001001", "15", ""});
  Click(transfer, "BitBtn1");
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_DOUBLE_EQ(Balance("3001001"), 0);
  EXPECT_DOUBLE_EQ(Balance("3001"), -20);
  EXPECT_EQ(Count("select count(*) from B_MX where lsh=2 and mx=1 and kmbh='3001001'"), 2);
}

TEST_F(EntryDialogTest, MemoLongerThanTheColumnFailsTheSaveLosesTheSerialNumberAndKeepsTheInput) {
  EntryDialog& dialog = Shown(EntryKind::Expense);
  const std::string memo(201, 'm');
  KeyIn(dialog, {"3001", "2001001", "9.9", memo});
  const std::vector<std::string> books_before = Books();
  Click(dialog, "BitBtn1");

  EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kSaveFailedMessage)});
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(TextOf(dialog, "dxEdit1"), "3001");
  EXPECT_EQ(TextOf(dialog, "dxEdit3"), "2001001");
  EXPECT_EQ(TextOf(dialog, "dxCalcEdit1"), "9.9");
  EXPECT_EQ(TextOf(dialog, "dxEdit5"), memo);
  std::vector<std::string> books_after = Books();
  EXPECT_EQ(books_after.back(), "1");  // the counter moved on
  books_after.back() = "0";
  EXPECT_EQ(books_after, books_before);
  EXPECT_TRUE(reloads_.empty());

  Type(dialog, "dxEdit5", memo.substr(1));
  Click(dialog, "BitBtn1");
  EXPECT_EQ(Rows("select lsh from B_SZ"), std::vector<std::string>{"2"});
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(EntryDialogTest, EnterMovesFromTheDateThroughTheEditorsToSaveAndClose) {
  EntryDialog& dialog = Shown(EntryKind::Transfer);
  auto* date = Control<QDateEdit>(dialog, "DateTimePicker1");
  date->setFocus();
  const auto enter = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); };
  enter();
  EXPECT_EQ(QApplication::focusWidget(), Editor(dialog, "dxEdit1"));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3001"));
  enter();
  EXPECT_EQ(QApplication::focusWidget(), Editor(dialog, "dxEdit3"));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3002"));
  enter();
  EXPECT_EQ(QApplication::focusWidget(), Editor(dialog, "dxCalcEdit1"));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
  enter();
  EXPECT_EQ(QApplication::focusWidget(), Editor(dialog, "dxEdit5"));
  enter();
  EXPECT_EQ(QApplication::focusWidget(), Control<QPushButton>(dialog, "BitBtn1"));
  QApplication::processEvents();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(TextOf(dialog, "dxEdit2"), "中行");

  enter();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_EQ(Rows("select kmbhs, kmbhd, je from B_SZ"), std::vector<std::string>{"3001|3002|5"});
}

TEST_F(EntryDialogTest, KeyboardOrderStartsAtTheSourceCodeAndReachesTheDateAfterTheMemo) {
  EntryDialog& dialog = Shown(EntryKind::Income);
  EXPECT_EQ(QApplication::focusWidget(), Editor(dialog, "dxEdit1"));
  EXPECT_EQ(TabChain(), (std::vector<std::string>{"dxEdit3", "dxCalcEdit1", "dxEdit5", "DateTimePicker1", "Button1",
                                                  "Button2", "BitBtn3", "BitBtn1", "BitBtn2", "dxEdit1"}));
}

TEST_F(EntryDialogTest, QuestionMarkButtonsTellHowToPickAndTheCloseButtonWritesNothing) {
  EntryDialog& dialog = Shown(EntryKind::Expense);
  Click(dialog, "Button1");
  Click(dialog, "Button2");
  EXPECT_EQ(messages_.informed, QStringList({QString::fromUtf8(kPickerHint), QString::fromUtf8(kPickerHint)}));

  KeyIn(dialog, {"3001", "2001", "5", ""});
  Click(dialog, "BitBtn2");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(Counter(), 0);
}

// The right mouse button in a code editor opens the picker of the editor's class with the dialog's tag.
struct PickCase {
  EntryKind kind;
  const char* editor;
  SubjectClass picker;
  const char* tag;
  const char* picked;
  const char* name;
};

TEST_F(EntryDialogTest, RightClickInACodeEditorOpensThePickerOfItsClassAndThePickIsTakenUnchecked) {
  const PickCase cases[] = {
      {EntryKind::Income, "dxEdit1", SubjectClass::kIncome, "Form9", "1001001", "基本工资"},
      {EntryKind::Income, "dxEdit3", SubjectClass::kSavings, "Form9", "3001", "中行"},
      {EntryKind::Expense, "dxEdit1", SubjectClass::kSavings, "Form20", "3001001", "活期"},
      {EntryKind::Expense, "dxEdit3", SubjectClass::kExpense, "Form20", "2001001", "早餐"},
      {EntryKind::Transfer, "dxEdit1", SubjectClass::kSavings, "Form241", "3002", "现金"},
      {EntryKind::Transfer, "dxEdit3", SubjectClass::kSavings, "Form242", "3001", "中行"},
  };
  for (const PickCase& test_case : cases) {
    SCOPED_TRACE(std::string(test_case.tag) + test_case.editor);
    opened_pickers_.clear();
    EntryDialog& dialog = Shown(test_case.kind);
    // What the operator had typed before picking is replaced by the pick, without a check.
    Type(dialog, test_case.editor, "9");
    next_pick_ = test_case.picked;
    QTest::mousePress(Editor(dialog, test_case.editor), Qt::RightButton);
    QApplication::processEvents();
    EXPECT_EQ(opened_pickers_, (std::vector<std::pair<SubjectClass, std::string>>{{test_case.picker, test_case.tag}}));
    EXPECT_EQ(TextOf(dialog, test_case.editor), test_case.picked);
    const bool source = std::string(test_case.editor) == "dxEdit1";
    EXPECT_EQ(TextOf(dialog, source ? "dxEdit2" : "dxEdit4"), test_case.name);
    EXPECT_EQ(TextOf(dialog, source ? "dxEdit3" : "dxEdit1"), "");
    MoveFocusTo(dialog, "dxEdit5");
    EXPECT_TRUE(messages_.informed.isEmpty());
    dialog.reject();
  }

  // Both sides picked, then saved: the picked levels give both ancestor chains.
  EntryDialog& dialog = Shown(EntryKind::Income);
  next_pick_ = "1001001";
  QTest::mousePress(Editor(dialog, "dxEdit1"), Qt::RightButton);
  next_pick_ = "3001001";
  QTest::mousePress(Editor(dialog, "dxEdit3"), Qt::RightButton);
  Type(dialog, "dxCalcEdit1", "3");
  Click(dialog, "BitBtn1");
  EXPECT_TRUE(messages_.informed.isEmpty());
  for (const char* code : {"1001001", "1001", "1", "3001001", "3001", "3"}) EXPECT_DOUBLE_EQ(Balance(code), 3) << code;
}

TEST_F(EntryDialogTest, CancelledPickLeavesTheTypedCodeToBeCheckedWhenTheEditorIsLeft) {
  EntryDialog& dialog = Shown(EntryKind::Income);
  Type(dialog, "dxEdit1", "1");
  QTest::mousePress(Editor(dialog, "dxEdit1"), Qt::RightButton);
  QApplication::processEvents();
  EXPECT_EQ(opened_pickers_.size(), 1u);
  EXPECT_TRUE(messages_.informed.isEmpty());
  MoveFocusTo(dialog, "dxEdit3");
  EXPECT_EQ(messages_.informed, QStringList{QString::fromStdString(SubjectNotFoundMessage("1"))});
}

TEST_F(EntryDialogTest, PositionIsReadFromTheSectionAtCreationAndWrittenAtProgramEnd) {
  SettingsFile settings(SettingsPath());
  settings.WriteInteger("ZZiFrm", "Top", 30);
  settings.WriteInteger("ZZiFrm", "Left", -40);
  EXPECT_EQ(Dialog(EntryKind::Transfer).pos(), QPoint(-40, 30));
  EXPECT_EQ(Dialog(EntryKind::Income).pos(), QPoint(238, 138));

  Dialog(EntryKind::Income).move(15, 25);
  Dialog(EntryKind::Income).StorePosition();
  Dialog(EntryKind::Expense).StorePosition();
  EXPECT_EQ(settings.ReadInteger("SRiFrm", "Top", 0), 25);
  EXPECT_EQ(settings.ReadInteger("SRiFrm", "Left", 0), 15);
  EXPECT_EQ(settings.ReadInteger("ZCiFrm", "Top", 0), 138);
  EXPECT_EQ(settings.ReadInteger("ZCiFrm", "Left", 0), 238);
}

}  // namespace
}  // namespace money
