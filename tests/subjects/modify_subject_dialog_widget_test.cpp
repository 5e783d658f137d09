#include "subjects/modify_subject_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <map>
#include <optional>
#include <string>

#include "subjects/subject_messages.h"
#include "subjects/subject_store.h"
#include "support/ledger_fixture.h"
#include "support/message_recorder.h"
#include "transactions/transaction_messages.h"

namespace money {
namespace {

class ModifySubjectDialogTest : public test::LedgerFixture {
 protected:
  ModifySubjectDialogTest() : dialog_(db_, messages_) {
    AddSubject("1001", "工资");
    AddSubject("1001001", "基本");
    AddSubject("1001001001", "岗位");
    AddSubject("1001002", "津贴");
    AddSubject("1002", "工资外");
    AddSubject("1002001", "稿费");
    db_.Execute("update B_KM set ye=10, bz='月薪' where id='1001'");
    db_.Execute("update B_KM set ye=7 where id='1001001'");
    db_.Execute("update B_KM set ye=3 where id='1001001001'");
  }

  template <typename Widget>
  Widget* Control(const char* name) {
    Widget* control = dialog_.findChild<Widget*>(QString::fromUtf8(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  void PrepareFor(const std::string& code) {
    const std::optional<Subject> subject = FindSubject(db_, code);
    ASSERT_TRUE(subject);
    dialog_.Prepare(*subject);
    dialog_.show();
  }
  void Enter(const char* name, const char* note) {
    Control<QLineEdit>("dxEdit2")->setText(QString::fromUtf8(name));
    Control<QLineEdit>("dxEdit1")->setText(QString::fromUtf8(note));
    Control<QPushButton>("BitBtn1")->click();
  }

  test::MessageRecorder messages_;
  ModifySubjectDialog dialog_;
};

TEST_F(ModifySubjectDialogTest, ShowsTheSubjectToChange) {
  PrepareFor("1001");
  EXPECT_EQ(dialog_.objectName(), "TForm5");
  EXPECT_EQ(dialog_.windowTitle(), "修改科目");
  EXPECT_EQ(dialog_.size(), QSize(330, 243));
  EXPECT_EQ(Control<QLabel>("Label3")->text(), "1001");
  EXPECT_TRUE(Control<QLabel>("Label3")->font().underline());
  EXPECT_EQ(Control<QLineEdit>("dxEdit2")->text(), "工资");
  EXPECT_EQ(Control<QLineEdit>("dxEdit1")->text(), "月薪");
  EXPECT_EQ(Control<QLineEdit>("dxEdit2")->maxLength(), 40);
  EXPECT_EQ(Control<QLineEdit>("dxEdit1")->maxLength(), 240);
}

// The subject, its children and grandchildren get new long names; no code, parent or balance changes,
// and the neighbouring branch is left alone.
TEST_F(ModifySubjectDialogTest, RenameRebuildsEveryLongNameBelowTheSubject) {
  std::map<std::string, Subject> expected = Chart();
  PrepareFor("1001");
  Enter(" 薪水  ", " 每月十日 ");
  EXPECT_TRUE(messages_.informed.isEmpty()) << messages_.informed.join("|").toStdString();
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog_.isVisible());

  expected["1001"].mc = "薪水";
  expected["1001"].bz = "每月十日";
  expected["1001"].lmc = "收入\\薪水";
  expected["1001001"].lmc = "收入\\薪水\\基本";
  expected["1001001001"].lmc = "收入\\薪水\\基本\\岗位";
  expected["1001002"].lmc = "收入\\薪水\\津贴";
  const std::map<std::string, Subject> chart = Chart();
  ASSERT_EQ(chart.size(), expected.size());
  for (const auto& [code, subject] : expected) {
    SCOPED_TRACE(code);
    const Subject& stored = chart.at(code);
    EXPECT_EQ(stored.parentid, subject.parentid);
    EXPECT_EQ(stored.mc, subject.mc);
    EXPECT_EQ(stored.js, subject.js);
    EXPECT_EQ(stored.ye, subject.ye);
    EXPECT_EQ(stored.lmc, subject.lmc);
    EXPECT_EQ(stored.bz, subject.bz);
  }
}

TEST_F(ModifySubjectDialogTest, NoteOnlyChangeLeavesNamesAlone) {
  const std::map<std::string, Subject> before = Chart();
  PrepareFor("1001001");
  Enter("基本", "按月 ");
  const std::map<std::string, Subject> after = Chart();
  for (const auto& [code, subject] : before) {
    SCOPED_TRACE(code);
    EXPECT_EQ(after.at(code).mc, subject.mc);
    EXPECT_EQ(after.at(code).lmc, subject.lmc);
    EXPECT_EQ(after.at(code).bz, code == "1001001" ? "按月" : subject.bz);
  }
}

TEST_F(ModifySubjectDialogTest, EmptyNameKeepsTheDialogOpen) {
  for (const char* name : {"", "   "}) {
    messages_.informed.clear();
    PrepareFor("1002");
    Enter(name, "新备注");
    EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kFillAllFields)});
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_EQ(Control<QLineEdit>("dxEdit1")->text(), "新备注");
    EXPECT_EQ(FindSubject(db_, "1002")->mc, "工资外");
    EXPECT_EQ(FindSubject(db_, "1002")->bz, "");
  }
}

// A long name that would outgrow its column fails the rebuild: nothing has changed and the dialog stays
// open with the typed name.
TEST_F(ModifySubjectDialogTest, FailedRenameRollsBackAndKeepsTheDialogOpen) {
  const std::string forty(40, 'x');
  std::string code = AddSubject("2001", "甲");
  for (int level = 3; level <= 7; ++level) code = AddSubject(code + "001", forty);
  const std::map<std::string, Subject> before = Chart();

  PrepareFor("2001");
  Enter(std::string(40, 'y').c_str(), "备注");
  EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kSaveFailedMessage)});
  EXPECT_TRUE(dialog_.isVisible());
  EXPECT_EQ(Control<QLineEdit>("dxEdit2")->text(), QString::fromStdString(std::string(40, 'y')));
  const std::map<std::string, Subject> after = Chart();
  for (const auto& [stored_code, subject] : before) {
    SCOPED_TRACE(stored_code);
    EXPECT_EQ(after.at(stored_code).mc, subject.mc);
    EXPECT_EQ(after.at(stored_code).lmc, subject.lmc);
    EXPECT_EQ(after.at(stored_code).bz, subject.bz);
  }
  EXPECT_FALSE(db_.InTransaction());
}

TEST_F(ModifySubjectDialogTest, CancelChangesNothing) {
  PrepareFor("1001");
  Control<QLineEdit>("dxEdit2")->setText(QStringLiteral("别的"));
  Control<QPushButton>("BitBtn2")->click();
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_EQ(FindSubject(db_, "1001")->mc, "工资");
}

}  // namespace
}  // namespace money
