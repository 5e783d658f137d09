#include "access/change_password_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusBar>

#include <string>

#include "access/login_check.h"
#include "access/login_state.h"
#include "access/operator_messages.h"
#include "access/operator_store.h"
#include "access/password_digest.h"
#include "shell/child_window_registry.h"
#include "support/control_of.h"
#include "support/ledger_fixture.h"
#include "support/message_recorder.h"

namespace money {
namespace {

using test::ControlOf;

// The window opened by the main window's command, in a main window with a status bar.
class ChangePasswordWindowTest : public test::LedgerFixture {
 protected:
  ChangePasswordWindowTest() {
    db_.ExecuteOwn("insert into B_USER (UID, UNAME, UPSW, bmbh) values ('0001', '张三', ?, '')",
                   {PasswordDigest("0001secret")});
    main_.setCentralWidget(frame_);
    main_.setStatusBar(new QStatusBar);
    main_.statusBar()->setFixedHeight(24);
    main_.resize(1000, 800);
    main_.show();
    registry_.RegisterFactory("TForm17", [this] { return new ChangePasswordWindow(db_, messages_, login_); });
  }

  QWidget& Window() {
    QWidget* window = registry_.Open("TForm17");
    EXPECT_NE(window, nullptr);
    return *window;
  }
  bool Open() { return registry_.Find("TForm17") != nullptr; }
  void Type(const char* old_password, const char* new_password, const char* confirmation) {
    ControlOf<QLineEdit>(Window(), "LabeledEdit1")->setText(QString::fromUtf8(old_password));
    ControlOf<QLineEdit>(Window(), "LabeledEdit2")->setText(QString::fromUtf8(new_password));
    ControlOf<QLineEdit>(Window(), "LabeledEdit3")->setText(QString::fromUtf8(confirmation));
  }
  void Confirm() {
    ControlOf<QPushButton>(Window(), "BitBtn1")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::string Stored() { return FindOperator(db_, "0001")->digest; }

  test::MessageRecorder messages_;
  LoginState login_{"0001", "张三", {}};
  QMainWindow main_;
  QMdiArea* frame_ = new QMdiArea;
  ChildWindowRegistry registry_{*frame_};
};

TEST_F(ChangePasswordWindowTest, ShowsTheLoggedInOperatorAndThreeHiddenPasswordBoxes) {
  QWidget& window = Window();
  EXPECT_EQ(window.objectName(), "TForm17");
  EXPECT_EQ(window.windowTitle(), "修改口令");
  EXPECT_EQ(ControlOf<QLabel>(window, "Label1")->text(), "编号：0001      姓名： 张三");
  const char* editors[][2] = {{"LabeledEdit1", "原 口 令："}, {"LabeledEdit2", "新 口 令："}, {"LabeledEdit3", "确认新口令："}};
  for (const auto& [name, caption] : editors) {
    QLineEdit* editor = ControlOf<QLineEdit>(window, name);
    EXPECT_EQ(editor->echoMode(), QLineEdit::Password) << name;
    QString label;
    for (const QLabel* candidate : window.findChildren<QLabel*>()) {
      if (candidate->buddy() == editor) label = candidate->text();
    }
    EXPECT_EQ(label, QString::fromUtf8(caption)) << name;
  }
  EXPECT_EQ(ControlOf<QPushButton>(window, "BitBtn1")->text(), "确定");
  EXPECT_EQ(ControlOf<QPushButton>(window, "BitBtn2")->text(), "退出");
  // The confirmation comes after the buttons.
  const char* order[] = {"LabeledEdit1", "LabeledEdit2", "BitBtn1", "BitBtn2", "LabeledEdit3"};
  for (size_t i = 0; i + 1 < std::size(order); ++i) {
    EXPECT_EQ(ControlOf<QWidget>(window, order[i])->nextInFocusChain(), ControlOf<QWidget>(window, order[i + 1]))
        << order[i];
  }
}

TEST_F(ChangePasswordWindowTest, OpensCentredAboveTheStatusBarEightPixelsHigh) {
  auto* sub_window = qobject_cast<QMdiSubWindow*>(Window().parentWidget());
  ASSERT_NE(sub_window, nullptr);
  EXPECT_EQ(sub_window->size(), QSize(334, 375));
  EXPECT_EQ(sub_window->pos(), QPoint((main_.width() - 334) / 2, (main_.height() - (24 + 375)) / 2 - 8));
}

TEST_F(ChangePasswordWindowTest, RefusalsKeepTheWindowOpenWithWhatWasTyped) {
  const struct {
    const char* old_password;
    const char* new_password;
    const char* confirmation;
    const char* message;
  } cases[] = {
      {"wrong", "", "abc", kNewPasswordEmpty},
      {"wrong", "abc", "", kNewPasswordEmpty},
      {"secret", "abc", "abd", kNewPasswordsDiffer},
      {"wrong", "abc", "abc", kOldPasswordWrong},
  };
  for (const auto& c : cases) {
    Type(c.old_password, c.new_password, c.confirmation);
    messages_.informed.clear();
    Confirm();
    EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(c.message)}) << c.new_password << "/" << c.confirmation;
    ASSERT_TRUE(Open());
    EXPECT_EQ(ControlOf<QLineEdit>(Window(), "LabeledEdit3")->text(), QString::fromUtf8(c.confirmation));
  }
  EXPECT_EQ(Stored(), PasswordDigest("0001secret"));
}

TEST_F(ChangePasswordWindowTest, ChangeIsStoredReportedAndClosesTheWindow) {
  Type("secret", "新口令", "新口令");
  Confirm();
  EXPECT_EQ(messages_.informed, QStringList{kPasswordChanged});
  EXPECT_FALSE(Open());
  EXPECT_EQ(Stored(), PasswordDigest("0001新口令"));
  EXPECT_EQ(CheckLogin(db_, "0001", "新口令").outcome, LoginOutcome::kAccepted);
  EXPECT_EQ(CheckLogin(db_, "0001", "secret").outcome, LoginOutcome::kWrongPassword);
}

TEST_F(ChangePasswordWindowTest, DeletedOperatorGetsNoAnswerAndNoSuccess) {
  ASSERT_EQ(DeleteOperator(db_, "0001"), OperatorDeleted::kDeleted);
  Type("secret", "abc", "abc");
  Confirm();
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_TRUE(messages_.errors.isEmpty());
  EXPECT_TRUE(Open());
}

TEST_F(ChangePasswordWindowTest, ExitChangesNothing) {
  Type("secret", "abc", "abc");
  ControlOf<QPushButton>(Window(), "BitBtn2")->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(Open());
  EXPECT_EQ(Stored(), PasswordDigest("0001secret"));
}

}  // namespace
}  // namespace money
