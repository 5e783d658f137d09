#include "access/login_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "access/login_messages.h"
#include "access/password_digest.h"
#include "shell/bar_manager.h"
#include "shell/main_status_bar.h"
#include "shell/main_window.h"
#include "storage/ledger_file.h"
#include "storage/settings_file.h"
#include "support/ledger_fixture.h"
#include "support/message_recorder.h"
#include "ui/record_navigator.h"

namespace money {
namespace {

class LoginDialogTest : public test::LedgerFixture {
 protected:
  LoginDialogTest() : main_(db_, messages_, Executable()) {}

  std::filesystem::path Executable() const { return folder_ / "money"; }
  std::filesystem::path SettingsPath() const { return SettingsFilePath(Executable()); }
  SettingsFile Settings() const { return SettingsFile(SettingsPath()); }

  // The dialog as start-up creates it: after the settings file has been prepared.
  LoginDialog& Dialog() {
    if (!dialog_) dialog_ = std::make_unique<LoginDialog>(db_, messages_, SettingsPath(), main_);
    return *dialog_;
  }
  template <typename Widget>
  Widget* Control(const char* name) {
    Widget* control = Dialog().findChild<Widget*>(QString::fromUtf8(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  void LogIn(const QString& code, const QString& password) {
    Control<QLineEdit>("Edit1")->setText(code);
    Control<QLineEdit>("Edit2")->setText(password);
    Control<QPushButton>("BitBtn1")->click();
  }
  void AddOperator(const std::string& code, const std::string& name, const std::string& digest) {
    db_.ExecuteOwn("insert into B_USER (UID, UNAME, UPSW, bmbh) values (?, ?, ?, '')", {code, name, digest});
  }
  void Grant(const std::string& operator_code, const std::string& command_code, bool granted) {
    db_.ExecuteOwn("insert or replace into B_USRGN (usrbh, gnbh, istrue) values (?, ?, ?)",
                   {operator_code, command_code, static_cast<long long>(granted)});
  }
  bool Enabled(const char* command) { return main_.Command(QString::fromUtf8(command))->isEnabled(); }

  test::MessageRecorder messages_;
  MainWindow main_;
  std::unique_ptr<LoginDialog> dialog_;
};

TEST_F(LoginDialogTest, OpensWithTheStoredCodeTodayAndTheFocusInThePassword) {
  EXPECT_EQ(Dialog().objectName(), "TForm3");
  EXPECT_EQ(Dialog().windowTitle(), "登录");
  EXPECT_EQ(Dialog().size(), QSize(394, 382));
  EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), "9999");  // no settings file yet
  Control<QLineEdit>("Edit2")->setText("3947");
  EXPECT_EQ(Control<QLineEdit>("Edit2")->displayText(), "****");
  Control<QLineEdit>("Edit2")->clear();
  EXPECT_EQ(Control<QDateEdit>("DTP1")->date(), QDate::currentDate());
  EXPECT_TRUE(Control<QTimer>("Timer1")->isActive());
  EXPECT_TRUE(Control<QPushButton>("BitBtn1")->isDefault());
  EXPECT_EQ(Control<QLabel>("Label1")->text(), "用户编号：");
  EXPECT_EQ(Control<QLabel>("Label2")->text(), "口令：");
  EXPECT_EQ(Control<QLabel>("Label3")->text(), "时间：");
  EXPECT_EQ(Control<QPushButton>("BitBtn2")->text(), "退出");
  EXPECT_EQ(Control<QPushButton>("Button1")->text(), "?");
  EXPECT_FALSE(Control<QLabel>("Image1")->pixmap().isNull());
  Dialog().show();
  EXPECT_EQ(Dialog().focusWidget(), Control<QLineEdit>("Edit2"));
  EXPECT_TRUE(Dialog().LoginPending());
}

TEST_F(LoginDialogTest, CodeComesFromTheSettingsFileUntrimmed) {
  Settings().WriteString("User", "Code", "0001 ");
  EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), "0001 ");
}

TEST_F(LoginDialogTest, TabOrder) {
  const QStringList expected = {"Edit2", "BitBtn1", "BitBtn2", "DTP1", "DTP2", "Edit1", "Button1", "Edit2"};
  QStringList seen = {"Edit2"};
  QWidget* widget = Control<QLineEdit>("Edit2");
  while (seen.size() < expected.size()) {
    widget = widget->nextInFocusChain();
    if (expected.contains(widget->objectName())) seen << widget->objectName();
  }
  EXPECT_EQ(seen, expected);
}

struct RefusedCase {
  const char* code;
  const char* password;
  const char* message;  // nullptr: no message at all
};

TEST_F(LoginDialogTest, RefusedLoginsKeepTheDialogAndItsContents) {
  const RefusedCase cases[] = {
      {"0009", "3947", kUnknownOperatorMessage},
      {"9999", "3948", kWrongPasswordMessage},
      {"9999", " 3947", kWrongPasswordMessage},
      {"", "3947", nullptr},
  };
  for (const RefusedCase& c : cases) {
    messages_.informed.clear();
    LogIn(QString::fromUtf8(c.code), QString::fromUtf8(c.password));
    const QStringList expected = c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{};
    EXPECT_EQ(messages_.informed, expected) << c.code << "/" << c.password;
    EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), QString::fromUtf8(c.code));
    EXPECT_EQ(Control<QLineEdit>("Edit2")->text(), QString::fromUtf8(c.password));
    EXPECT_TRUE(Dialog().LoginPending());
    EXPECT_NE(Dialog().result(), QDialog::Accepted);
  }
  EXPECT_TRUE(messages_.errors.isEmpty());
  EXPECT_EQ(main_.Login(), LoginState{});
  EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
}

TEST_F(LoginDialogTest, AdministratorLogsIn) {
  const QDate working_date(2005, 3, 7);
  Control<QDateEdit>("DTP1")->setDate(working_date);
  LogIn("9999", "3947");

  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_EQ(Dialog().result(), QDialog::Accepted);
  EXPECT_FALSE(Dialog().LoginPending());
  EXPECT_FALSE(Dialog().ProgramEnded());
  EXPECT_FALSE(Control<QTimer>("Timer1")->isActive());
  const LoginState expected{"9999", "系统管理员", std::chrono::year{2005} / 3 / 7};
  EXPECT_EQ(main_.Login(), expected);
  EXPECT_EQ(main_.Status().PanelText(1), "操作人员： 9999  系统管理员");
  EXPECT_EQ(main_.Status().PanelText(3), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
  EXPECT_EQ(Settings().ReadString("User", "Code", ""), "9999");
}

TEST_F(LoginDialogTest, CodeIsFoundIgnoringCaseAndKeptAsTyped) {
  AddOperator("ab12", "字母", PasswordDigest("AB12pw"));
  LogIn("AB12", "pw");
  EXPECT_FALSE(Dialog().LoginPending());
  EXPECT_EQ(main_.Login().operator_code, "AB12");
  EXPECT_EQ(Settings().ReadString("User", "Code", ""), "AB12");
  EXPECT_EQ(main_.Status().PanelText(1), "操作人员： AB12  字母");
}

TEST_F(LoginDialogTest, StoredDigestWithBlanksAndClearedPasswordLogIn) {
  AddOperator("0001", "记账员", PasswordDigest("0001pw") + "    ");
  AddOperator("0002", "新人", PasswordDigest("0002"));
  LogIn("0001", "pw");
  EXPECT_FALSE(Dialog().LoginPending());

  LoginDialog second(db_, messages_, SettingsPath(), main_);
  second.findChild<QLineEdit*>("Edit1")->setText("0002");
  second.findChild<QLineEdit*>("Edit2")->clear();
  second.findChild<QPushButton*>("BitBtn1")->click();
  EXPECT_FALSE(second.LoginPending());
  EXPECT_EQ(main_.Login().operator_name, "新人");
  EXPECT_TRUE(messages_.informed.isEmpty());
}

TEST_F(LoginDialogTest, GrantsOfAnOperator) {
  AddOperator("0001", "记账员", PasswordDigest("0001"));
  Grant("0001", "0101", true);
  Grant("0001", "0102", false);
  Grant("0001", "0402", true);  // 用户管理 is reserved to the administrator
  db_.ExecuteOwn("insert into B_GN (gncode, gnname, btName, is9999) values ('0901', 'x', 'X999', 0), "
                 "('0902', 'y', 'N21', 0), ('0903', 'z', 'First', 0)",
                 {});
  Grant("0001", "0901", true);
  Grant("0001", "0902", false);
  Grant("0001", "0903", false);
  LogIn("0001", "");

  EXPECT_TRUE(Enabled("m0101"));
  EXPECT_FALSE(Enabled("m0102"));  // refused
  for (const char* command : {"m0103", "m0201", "m0301", "N101", "N107", "N108"}) {
    EXPECT_FALSE(Enabled(command)) << command;  // catalogued, no grant row
  }
  EXPECT_FALSE(Enabled("N102"));
  for (const char* command : {"N109", "N33", "N34", "N211", "N22", "N26"}) {
    EXPECT_TRUE(Enabled(command)) << command;  // in no catalogue row
  }
  // A row naming a sub-menu or a record-navigation button changes nothing.
  EXPECT_TRUE(main_.Bars().Menu("N21")->menuAction()->isEnabled());
  EXPECT_EQ(main_.Navigator().Action("First")->isEnabled(), false);  // disabled only for want of a list
}

TEST_F(LoginDialogTest, AdministratorKeepsReservedCommandsWhateverTheRowsSay) {
  Grant("9999", "0402", false);
  Grant("9999", "0102", false);
  LogIn("9999", "3947");
  EXPECT_TRUE(Enabled("N102"));
  EXPECT_TRUE(Enabled("m0101"));  // granted with the delivered ledger
  EXPECT_FALSE(Enabled("m0102"));
}

struct WayOut {
  const char* how;
  std::function<void(LoginDialog&)> leave;
};

TEST_F(LoginDialogTest, EveryOtherWayOutEndsTheProgram) {
  const WayOut ways[] = {
      {"退出", [](LoginDialog& dialog) { dialog.findChild<QPushButton*>("BitBtn2")->click(); }},
      {"Enter on 退出",
       [](LoginDialog& dialog) { QTest::keyClick(dialog.findChild<QPushButton*>("BitBtn2"), Qt::Key_Return); }},
      {"Esc",
       [](LoginDialog& dialog) {
         QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
         QApplication::sendEvent(dialog.findChild<QLineEdit*>("Edit2"), &escape);
       }},
      {"title-bar close", [](LoginDialog& dialog) { dialog.close(); }},
  };
  for (const WayOut& way : ways) {
    db_.Open(LedgerPath(folder_.Path()));
    LoginDialog dialog(db_, messages_, SettingsPath(), main_);
    dialog.findChild<QLineEdit*>("Edit2")->setText("3947");
    dialog.show();
    way.leave(dialog);
    EXPECT_FALSE(dialog.isVisible()) << way.how;
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << way.how;
    EXPECT_TRUE(dialog.LoginPending()) << way.how;
    EXPECT_TRUE(dialog.ProgramEnded()) << way.how;
    EXPECT_FALSE(db_.Connected()) << way.how;
  }
  EXPECT_EQ(main_.Login(), LoginState{});
  EXPECT_TRUE(messages_.informed.isEmpty());
}

TEST_F(LoginDialogTest, HintNamesTheAdministrator) {
  Control<QPushButton>("Button1")->click();
  EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kAdministratorHint)});
}

TEST_F(LoginDialogTest, ClockRunsExceptWhileBeingSet) {
  auto* clock = Control<QTimeEdit>("DTP2");
  QTimer* timer = Control<QTimer>("Timer1");
  clock->setTime(QTime(10, 59, 59));
  QMetaObject::invokeMethod(timer, "timeout");
  EXPECT_EQ(clock->time(), QTime(11, 0, 0));

  QFocusEvent focus_in(QEvent::FocusIn);
  QApplication::sendEvent(clock, &focus_in);
  EXPECT_FALSE(timer->isActive());
  QFocusEvent focus_out(QEvent::FocusOut);
  QApplication::sendEvent(clock, &focus_out);
  EXPECT_TRUE(timer->isActive());
}

// The grant statement fails after the operator was accepted: the error box, the dialog stays open with
// the catalogued commands disabled; 退出 still ends the program, the title-bar close now does not.
TEST_F(LoginDialogTest, FailedGrantReadKeepsTheCommandsDisabled) {
  db_.ExecuteOwn("drop table B_USRGN", {});
  Dialog().show();
  LogIn("9999", "3947");
  EXPECT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_FALSE(Dialog().LoginPending());
  for (const char* command : {"m0101", "m0102", "m0103", "m0201", "m0301", "N101", "N102", "N107", "N108"}) {
    EXPECT_FALSE(Enabled(command)) << command;
  }

  Dialog().close();
  EXPECT_FALSE(Dialog().ProgramEnded());
  Dialog().show();
  Control<QPushButton>("BitBtn2")->click();
  EXPECT_TRUE(Dialog().ProgramEnded());
  EXPECT_FALSE(db_.Connected());
}

TEST_F(LoginDialogTest, UnwritableSettingsFileStopsTheLogin) {
  std::filesystem::create_directory(SettingsPath());  // a folder where the file should be: no write
  LogIn("9999", "3947");
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_EQ(messages_.errors.front(), QString::fromStdString("Unable to write to " + SettingsPath().string()));
  EXPECT_TRUE(Dialog().LoginPending());
  EXPECT_NE(Dialog().result(), QDialog::Accepted);
  EXPECT_EQ(main_.Login(), LoginState{});
}

}  // namespace
}  // namespace money
