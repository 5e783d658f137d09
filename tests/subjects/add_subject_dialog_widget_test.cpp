#include "subjects/add_subject_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <optional>
#include <string>

#include "subjects/subject_messages.h"
#include "subjects/subject_store.h"
#include "support/ledger_fixture.h"
#include "support/message_recorder.h"

namespace money {
namespace {

class AddSubjectDialogTest : public test::LedgerFixture {
 protected:
  AddSubjectDialogTest() : dialog_(db_, messages_) {}

  template <typename Widget>
  Widget* Control(const char* name) {
    Widget* control = dialog_.findChild<Widget*>(QString::fromUtf8(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // Prepares the dialog for a parent as the maintenance window does, and shows it.
  void PrepareFor(const std::string& parent_code) {
    const std::optional<Subject> parent = FindSubject(db_, parent_code);
    ASSERT_TRUE(parent);
    dialog_.Prepare(*parent);
    dialog_.show();
  }
  // Types the segment key by key into the masked editor, as the operator does.
  void Type(const char* segment, const char* name, const char* note = "") {
    QTest::keyClicks(Control<QLineEdit>("dxMaskEdit1"), QString::fromUtf8(segment));
    Control<QLineEdit>("dxEdit2")->setText(QString::fromUtf8(name));
    Control<QLineEdit>("dxEdit1")->setText(QString::fromUtf8(note));
  }
  void Save() { Control<QPushButton>("BitBtn1")->click(); }
  long long SubjectCount() { return Count("select count(*) from B_KM"); }

  test::MessageRecorder messages_;
  AddSubjectDialog dialog_;
};

TEST_F(AddSubjectDialogTest, AddsAChildUnderAClassRootWithTrimmedNameAndNote) {
  PrepareFor("1");
  EXPECT_EQ(dialog_.objectName(), "TForm7");
  EXPECT_EQ(dialog_.windowTitle(), "部颁编码录入—下级");
  EXPECT_EQ(dialog_.size(), QSize(330, 226));
  EXPECT_EQ(Control<QLabel>("Label3")->text(), "1");
  EXPECT_TRUE(Control<QLabel>("Label3")->font().underline());
  EXPECT_EQ(dialog_.NewLevel(), 2);

  Type("001", "  工资 ", " 每月 ");
  Save();

  EXPECT_TRUE(messages_.informed.isEmpty()) << messages_.informed.join("|").toStdString();
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog_.isVisible());
  const std::optional<Subject> added = FindSubject(db_, "1001");
  ASSERT_TRUE(added);
  EXPECT_EQ(added->parentid, "1");
  EXPECT_EQ(added->mc, "工资");
  EXPECT_EQ(added->js, 2);
  EXPECT_EQ(added->ye, 0);
  EXPECT_EQ(added->lmc, "收入\\工资");
  EXPECT_EQ(added->bz, "每月");
}

TEST_F(AddSubjectDialogTest, AddsALevelSevenChildUnderALevelSixSubject) {
  std::string code = "3";
  for (int level = 2; level <= 6; ++level) code = AddSubject(code + "001", "第" + std::to_string(level) + "级");
  PrepareFor(code);
  EXPECT_EQ(dialog_.NewLevel(), 7);
  Type("009", "最深");
  Save();
  const std::optional<Subject> added = FindSubject(db_, code + "009");
  ASSERT_TRUE(added);
  EXPECT_EQ(added->id.size(), 19u);
  EXPECT_EQ(added->js, 7);
  EXPECT_EQ(added->lmc, "节余\\第2级\\第3级\\第4级\\第5级\\第6级\\最深");
}

struct RefusedInput {
  const char* parent;
  const char* typed_segment;
  const char* name;
  const char* message;
};

// The name is checked before the segment; the dialog stays open with what was typed and stores nothing.
TEST_F(AddSubjectDialogTest, RefusedInputKeepsTheDialogOpen) {
  AddSubject("1001", "工资");
  const RefusedInput cases[] = {
      {"1", "12", "奖金", "  编号的位数不对，应该为 4 位。 "},
      {"1001", "12", "津贴", "  编号的位数不对，应该为 7 位。 "},
      {"1001", "", "津贴", "  编号的位数不对，应该为 7 位。 "},
      {"1001", "a1b", "津贴", "  编号的位数不对，应该为 7 位。 "},  // the mask takes digits only
      {"1001", "001", "", kFillAllFields},
      {"1001", "001", "   ", kFillAllFields},
      {"1001", "", "", kFillAllFields},
  };
  for (const RefusedInput& refused : cases) {
    SCOPED_TRACE(std::string(refused.parent) + " [" + refused.typed_segment + "] [" + refused.name + "]");
    messages_.informed.clear();
    const long long before = SubjectCount();
    PrepareFor(refused.parent);
    Type(refused.typed_segment, refused.name);
    const QString typed_segment = Control<QLineEdit>("dxMaskEdit1")->text();
    Save();
    EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(refused.message)});
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_NE(dialog_.result(), QDialog::Accepted);
    EXPECT_EQ(Control<QLineEdit>("dxMaskEdit1")->text(), typed_segment);
    EXPECT_EQ(Control<QLineEdit>("dxEdit2")->text(), QString::fromUtf8(refused.name));
    EXPECT_EQ(SubjectCount(), before);
  }
}

TEST_F(AddSubjectDialogTest, DuplicateCodeKeepsTheDialogOpenWithItsInputUntilTheSegmentIsChanged) {
  AddSubject("2001", "餐饮");
  PrepareFor("2");
  Type("001", "交通", "公交");
  Save();
  EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kDuplicateSubjectCode)});
  EXPECT_TRUE(dialog_.isVisible());
  EXPECT_EQ(Control<QLineEdit>("dxMaskEdit1")->text(), "001");
  EXPECT_EQ(Control<QLineEdit>("dxEdit2")->text(), "交通");
  EXPECT_EQ(Control<QLineEdit>("dxEdit1")->text(), "公交");
  EXPECT_EQ(FindSubject(db_, "2001")->mc, "餐饮");

  Control<QLineEdit>("dxMaskEdit1")->clear();
  QTest::keyClicks(Control<QLineEdit>("dxMaskEdit1"), QStringLiteral("002"));
  Save();
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_EQ(FindSubject(db_, "2002")->mc, "交通");
}

// Enter on the focused "取消" presses "取消", not the default "确定".
TEST_F(AddSubjectDialogTest, CancelStoresNothingAndTheNextShowingStartsEmpty) {
  const std::function<void(QPushButton*)> presses[] = {
      [](QPushButton* cancel) { cancel->click(); },
      [](QPushButton* cancel) { QTest::keyClick(cancel, Qt::Key_Return); },
  };
  for (const auto& press : presses) {
    PrepareFor("3");
    Type("001", "中行", "工资卡");
    press(Control<QPushButton>("BitBtn2"));
    EXPECT_EQ(dialog_.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_FALSE(FindSubject(db_, "3001"));

    PrepareFor("3");
    EXPECT_EQ(Control<QLineEdit>("dxMaskEdit1")->text(), "");
    EXPECT_EQ(Control<QLineEdit>("dxEdit2")->text(), "");
    EXPECT_EQ(Control<QLineEdit>("dxEdit1")->text(), "");
    dialog_.reject();
  }
}

// The parent code takes six pixels per character from the left edge of the editors; the segment editor
// takes the rest of their width.
TEST_F(AddSubjectDialogTest, CodeLineSharesTheEditorWidthBetweenParentCodeAndSegment) {
  std::string code = "2";
  for (int level = 2; level <= 6; ++level) code = AddSubject(code + "001", "层" + std::to_string(level));
  for (const std::string& parent : {std::string("2"), std::string("2001"), code}) {
    SCOPED_TRACE(parent);
    PrepareFor(parent);
    const int code_width = 6 * static_cast<int>(parent.size());
    EXPECT_EQ(Control<QLabel>("Label3")->geometry(), QRect(88, 24, code_width, 23));
    const QRect segment = Control<QLineEdit>("dxMaskEdit1")->geometry();
    EXPECT_EQ(segment.left(), 88 + code_width);
    EXPECT_EQ(segment.width(), 169 - code_width);
    EXPECT_EQ(Control<QLineEdit>("dxEdit2")->geometry().left(), 88);
    EXPECT_EQ(Control<QLineEdit>("dxEdit2")->geometry().width(), 169);
  }
  EXPECT_EQ(Control<QLineEdit>("dxEdit2")->maxLength(), 40);
  EXPECT_EQ(Control<QLineEdit>("dxEdit1")->maxLength(), 240);
  EXPECT_TRUE(Control<QPushButton>("BitBtn1")->isDefault());
}

}  // namespace
}  // namespace money
