#include "subjects/subject_picker.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "storage/settings_file.h"
#include "subjects/loaded_subjects.h"
#include "subjects/picker_caller.h"
#include "subjects/picker_callers.h"
#include "subjects/subject_store.h"
#include "support/ledger_fixture.h"
#include "support/message_recorder.h"
#include "ui/tree_list.h"
#include "ui/tree_list_model.h"

namespace money {

void PrintTo(const ListedSubject& subject, std::ostream* out) {
  *out << "{" << subject.code << ", " << subject.name << ", " << subject.level << "}";
}

namespace {

constexpr const char* kUntouched = "old";

// An entry or edit dialog as a picker sees it: a source side (dxEdit1, dxEdit2, source level) and a
// destination side (dxEdit3, dxEdit4, destination level).
class CallerDouble : public QWidget, public PickerCaller {
 public:
  explicit CallerDouble(const std::string& form_name) {
    setObjectName(QString::fromStdString(form_name));
    for (const char* name : {"dxEdit1", "dxEdit2", "dxEdit3", "dxEdit4"}) {
      auto* editor = new QLineEdit(QString::fromUtf8(kUntouched), this);
      editor->setObjectName(QString::fromUtf8(name));
    }
  }

  QLineEdit& CodeEditor(PickSide side) override { return Editor(side == PickSide::kSource ? "dxEdit1" : "dxEdit3"); }
  QLineEdit& NameEditor(PickSide side) override { return Editor(side == PickSide::kSource ? "dxEdit2" : "dxEdit4"); }
  void SetLevel(PickSide side, int level) override {
    (side == PickSide::kSource ? source_level : destination_level) = level;
  }
  QLineEdit& Editor(const char* name) { return *findChild<QLineEdit*>(QString::fromUtf8(name)); }

  // What one side shows: code, name, level.
  ListedSubject Side(PickSide side) {
    return {CodeEditor(side).text().toStdString(), NameEditor(side).text().toStdString(),
            side == PickSide::kSource ? source_level : destination_level};
  }

  int source_level = -1;
  int destination_level = -1;
};

const ListedSubject kUntouchedSide{kUntouched, kUntouched, -1};

class SubjectPickerTest : public test::LedgerFixture {
 protected:
  SubjectPickerTest() {
    AddSubject("1001", "工资");
    AddSubject("1001001", "基本工资");
    AddSubject("1002", "奖金");
    AddSubject("2001", "餐饮");
    AddSubject("2001001", "早餐");
    AddSubject("3001", "中行");
    AddSubject("3001001", "活期");
    AddSubject("3002", "现金");
    for (const char* form : {"TForm9", "TForm16", "TForm20", "TForm21", "TForm24", "TForm25"}) {
      dialogs_[form] = std::make_unique<CallerDouble>(form);
      callers_.Register(form, *dialogs_[form]);
    }
  }

  std::filesystem::path SettingsPath() const { return folder_ / "money.INI"; }
  SettingsFile Settings() const { return SettingsFile(SettingsPath()); }

  // Created as start-up creates it, at the first use.
  SubjectPicker& Picker(SubjectClass subject_class) {
    std::unique_ptr<SubjectPicker>& picker = pickers_[subject_class];
    if (!picker) {
      picker = std::make_unique<SubjectPicker>(subject_class, db_, messages_, loaded_, callers_, SettingsPath());
    }
    return *picker;
  }
  TreeList& TreeOf(SubjectClass subject_class) {
    return *Picker(subject_class).findChild<TreeList*>(QStringLiteral("dxDBTreeList1"));
  }
  QPushButton& Button(SubjectClass subject_class, const char* name) {
    return *Picker(subject_class).findChild<QPushButton*>(QString::fromUtf8(name));
  }
  void DoubleClick(SubjectClass subject_class, const std::string& code) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Picker(subject_class)));
    TreeList& tree = TreeOf(subject_class);
    const QModelIndex index = tree.Model().IndexOfKey(code);
    ASSERT_TRUE(index.isValid()) << code;
    tree.scrollTo(index);
    // As the window system delivers it: press and release, then the double-click and its release.
    const QPoint point = tree.visualRect(index).center();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, point);
  }
  void ResetDialogs() {
    for (auto& [form, dialog] : dialogs_) {
      for (const char* name : {"dxEdit1", "dxEdit2", "dxEdit3", "dxEdit4"}) {
        dialog->Editor(name).setText(QString::fromUtf8(kUntouched));
      }
      dialog->source_level = dialog->destination_level = -1;
    }
  }

  test::MessageRecorder messages_;
  LoadedSubjects loaded_;
  PickerCallers callers_;
  std::map<std::string, std::unique_ptr<CallerDouble>> dialogs_;
  std::map<SubjectClass, std::unique_ptr<SubjectPicker>> pickers_;
};

struct PickerLooks {
  SubjectClass subject_class;
  const char* form;
  const char* caption;
  const char* code_label;
  const char* name_label;
  int code_width;
  std::vector<std::string> listed;
  const char* section;
};

const PickerLooks kLooks[] = {
    {SubjectClass::kIncome, "TForm11", "选择收入科目", "收入科目编号", "收入科目名称", 132, {"1001", "1001001", "1002"},
     "XZSRFrm"},
    {SubjectClass::kSavings, "TForm12", "选择节余科目", "节余科目编号", "节余科目名称", 131, {"3001", "3001001", "3002"},
     "XZJYFrm"},
    {SubjectClass::kExpense, "TForm22", "选择支出科目", "支出科目编号", "支出科目名称", 131, {"2001", "2001001"},
     "XZZCFrm"},
};

TEST_F(SubjectPickerTest, EachPickerListsItsClassWithoutTheRootFullyExpanded) {
  for (const PickerLooks& looks : kLooks) {
    SCOPED_TRACE(looks.form);
    SubjectPicker& picker = Picker(looks.subject_class);
    EXPECT_EQ(picker.objectName(), looks.form);
    EXPECT_EQ(picker.windowTitle(), QString::fromUtf8(looks.caption));
    EXPECT_EQ(picker.size(), QSize(453, 443));
    TreeList& tree = TreeOf(looks.subject_class);
    EXPECT_FALSE(tree.expandsOnDoubleClick());
    const QStringList captions = {QString::fromUtf8(looks.code_label), QString::fromUtf8(looks.name_label),
                                  "上级编号", "级数"};
    const int widths[] = {looks.code_width, 129, 66, 37};
    for (int column = 0; column < 4; ++column) {
      EXPECT_EQ(tree.model()->headerData(column, Qt::Horizontal).toString(), captions[column]);
      EXPECT_EQ(tree.columnWidth(column), widths[column]);
    }
    const char* buttons[][2] = {{"BitBtn2", "确定"}, {"BitBtn1", "刷新"}, {"BitBtn3", "取消"}};
    for (const auto& [name, caption] : buttons) {
      EXPECT_EQ(Button(looks.subject_class, name).text(), QString::fromUtf8(caption));
      EXPECT_EQ(Button(looks.subject_class, name).size(), QSize(89, 33));
    }
    EXPECT_TRUE(Button(looks.subject_class, "BitBtn2").isDefault());

    ASSERT_EQ(tree.RowCount(), looks.listed.size());
    const std::string root(1, static_cast<char>(looks.subject_class));
    EXPECT_FALSE(tree.FindRow(root));
    EXPECT_FALSE(loaded_.Find(looks.subject_class, root));
    // The root's children are the top-level nodes, and every node is expanded.
    for (const std::string& code : looks.listed) {
      const QModelIndex index = tree.Model().IndexOfKey(code);
      EXPECT_EQ(index.parent().isValid(), code.size() > 4) << code;
      if (tree.Model().rowCount(index) > 0) {
        EXPECT_TRUE(tree.isExpanded(index)) << code;
      }
    }
  }
  EXPECT_EQ(loaded_.Find(SubjectClass::kIncome, "1001001"), (ListedSubject{"1001001", "基本工资", 3}));
  EXPECT_EQ(loaded_.Find(SubjectClass::kSavings, "3002"), (ListedSubject{"3002", "现金", 2}));
  EXPECT_FALSE(loaded_.Find(SubjectClass::kIncome, "3002"));
  EXPECT_FALSE(loaded_.Find(SubjectClass::kIncome, "100"));
  EXPECT_FALSE(loaded_.Find(SubjectClass::kIncome, "1001 "));
}

TEST_F(SubjectPickerTest, PositionIsReadAtCreationAndStoredWhenAsked) {
  Settings().WriteInteger("XZJYFrm", "Top", 15);
  Settings().WriteInteger("XZJYFrm", "Left", -40);
  EXPECT_EQ(Picker(SubjectClass::kSavings).pos(), QPoint(-40, 15));
  EXPECT_EQ(Picker(SubjectClass::kIncome).pos(), QPoint(176, 91));
  EXPECT_EQ(Picker(SubjectClass::kExpense).pos(), QPoint(176, 91));

  Picker(SubjectClass::kExpense).move(300, 200);
  Picker(SubjectClass::kExpense).StorePosition();
  EXPECT_EQ(Settings().ReadInteger("XZZCFrm", "Top", 0), 200);
  EXPECT_EQ(Settings().ReadInteger("XZZCFrm", "Left", 0), 300);
  EXPECT_EQ(Settings().ReadInteger("XZJYFrm", "Top", 0), 15);
  EXPECT_EQ(Settings().ReadString("XZSRFrm", "Top", "none"), "none");
}

// The list is read at creation and on "刷新" only: a subject added meanwhile is neither shown nor found
// as a typed code until then.
TEST_F(SubjectPickerTest, SubjectAddedAfterLoadingIsMissingUntilRefresh) {
  SubjectPicker& picker = Picker(SubjectClass::kSavings);
  picker.show();
  AddSubject("3003", "支付宝");
  picker.hide();
  picker.show();
  EXPECT_FALSE(TreeOf(SubjectClass::kSavings).FindRow("3003"));
  EXPECT_FALSE(loaded_.Find(SubjectClass::kSavings, "3003"));

  Button(SubjectClass::kSavings, "BitBtn1").click();
  EXPECT_TRUE(picker.isVisible());
  ASSERT_TRUE(TreeOf(SubjectClass::kSavings).FindRow("3003"));
  EXPECT_EQ(loaded_.Find(SubjectClass::kSavings, "3003"), (ListedSubject{"3003", "支付宝", 2}));
  EXPECT_TRUE(TreeOf(SubjectClass::kSavings).isExpanded(TreeOf(SubjectClass::kSavings).Model().IndexOfKey("3001")));
  EXPECT_TRUE(messages_.errors.isEmpty());
}

struct Route {
  SubjectClass picker;
  const char* tag;
  const char* dialog;
  PickSide side;
};

// The caller-tag contract, with the modify-transfer tags chosen for TForm25.
const Route kRoutes[] = {
    {SubjectClass::kIncome, "Form9", "TForm9", PickSide::kSource},
    {SubjectClass::kIncome, "Form16", "TForm16", PickSide::kSource},
    {SubjectClass::kSavings, "Form9", "TForm9", PickSide::kDestination},
    {SubjectClass::kSavings, "Form16", "TForm16", PickSide::kDestination},
    {SubjectClass::kSavings, "Form20", "TForm20", PickSide::kSource},
    {SubjectClass::kSavings, "Form21", "TForm21", PickSide::kSource},
    {SubjectClass::kSavings, "Form241", "TForm24", PickSide::kSource},
    {SubjectClass::kSavings, "Form242", "TForm24", PickSide::kDestination},
    {SubjectClass::kSavings, "Form251", "TForm25", PickSide::kSource},
    {SubjectClass::kSavings, "Form252", "TForm25", PickSide::kDestination},
    {SubjectClass::kExpense, "Form20", "TForm20", PickSide::kDestination},
    {SubjectClass::kExpense, "Form21", "TForm21", PickSide::kDestination},
};

// A subject with children, picked like a leaf.
const std::map<SubjectClass, ListedSubject> kPicked = {
    {SubjectClass::kIncome, {"1001", "工资", 2}},
    {SubjectClass::kSavings, {"3001", "中行", 2}},
    {SubjectClass::kExpense, {"2001", "餐饮", 2}},
};

TEST_F(SubjectPickerTest, PickByButtonOrDoubleClickFillsExactlyTheSideTheTagNames) {
  for (const bool by_double_click : {false, true}) {
    for (const Route& route : kRoutes) {
      SCOPED_TRACE(std::string(route.tag) + (by_double_click ? " double-click" : " button") + " in " +
                   Picker(route.picker).objectName().toStdString());
      ResetDialogs();
      SubjectPicker& picker = Picker(route.picker);
      const ListedSubject& picked = kPicked.at(route.picker);
      picker.SetCallerTag(route.tag);
      picker.show();
      ASSERT_TRUE(TreeOf(route.picker).FocusKey(picked.code));
      if (by_double_click) {
        DoubleClick(route.picker, picked.code);
      } else {
        Button(route.picker, "BitBtn2").click();
      }
      EXPECT_FALSE(picker.isVisible());
      EXPECT_EQ(picker.result(), QDialog::Accepted);
      EXPECT_TRUE(TreeOf(route.picker).isExpanded(TreeOf(route.picker).Model().IndexOfKey(picked.code)));
      for (auto& [form, dialog] : dialogs_) {
        for (const PickSide side : {PickSide::kSource, PickSide::kDestination}) {
          const bool named = form == route.dialog && side == route.side;
          EXPECT_EQ(dialog->Side(side), named ? picked : kUntouchedSide)
              << form << (side == PickSide::kSource ? " source" : " destination");
        }
      }
    }
  }
}

TEST_F(SubjectPickerTest, UnknownTagFillsNothingButClosesThePicker) {
  const std::pair<SubjectClass, const char*> unknown[] = {
      {SubjectClass::kIncome, "Form20"}, {SubjectClass::kIncome, "Form241"}, {SubjectClass::kExpense, "Form9"},
      {SubjectClass::kSavings, "Form24"}, {SubjectClass::kSavings, "form9"},  {SubjectClass::kSavings, ""},
  };
  for (const auto& [subject_class, tag] : unknown) {
    SCOPED_TRACE(tag);
    ResetDialogs();
    SubjectPicker& picker = Picker(subject_class);
    picker.SetCallerTag(tag);
    picker.show();
    Button(subject_class, "BitBtn2").click();
    EXPECT_FALSE(picker.isVisible());
    for (auto& [form, dialog] : dialogs_) {
      EXPECT_EQ(dialog->Side(PickSide::kSource), kUntouchedSide) << form;
      EXPECT_EQ(dialog->Side(PickSide::kDestination), kUntouchedSide) << form;
    }
  }
}

// By click or by Enter on the focused button: Enter there must not reach the default "确定".
TEST_F(SubjectPickerTest, CancelClosesWithoutFilling) {
  const std::function<void(QPushButton&)> presses[] = {
      [](QPushButton& cancel) { cancel.click(); },
      [](QPushButton& cancel) { QTest::keyClick(&cancel, Qt::Key_Return); },
  };
  SubjectPicker& picker = Picker(SubjectClass::kSavings);
  for (const auto& press : presses) {
    picker.SetCallerTag("Form242");
    picker.show();
    press(Button(SubjectClass::kSavings, "BitBtn3"));
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.result(), QDialog::Rejected);
    EXPECT_EQ(dialogs_["TForm24"]->Side(PickSide::kDestination), kUntouchedSide);
  }
}

// A class with no subject below its root: the pick writes empty texts; the dialog's own checks refuse them.
TEST_F(SubjectPickerTest, PickFromAnEmptyListWritesEmptyTexts) {
  ASSERT_EQ(DeleteSubject(db_, "2001001"), DeleteOutcome::kDeleted);
  ASSERT_EQ(DeleteSubject(db_, "2001"), DeleteOutcome::kDeleted);
  SubjectPicker& picker = Picker(SubjectClass::kExpense);
  EXPECT_EQ(TreeOf(SubjectClass::kExpense).RowCount(), 0u);
  picker.SetCallerTag("Form21");
  picker.show();
  Button(SubjectClass::kExpense, "BitBtn2").click();
  EXPECT_FALSE(picker.isVisible());
  EXPECT_EQ(dialogs_["TForm21"]->Side(PickSide::kDestination), (ListedSubject{"", "", 0}));
  EXPECT_EQ(dialogs_["TForm21"]->Side(PickSide::kSource), kUntouchedSide);
}

}  // namespace
}  // namespace money
