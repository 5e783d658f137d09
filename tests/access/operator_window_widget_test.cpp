#include "access/operator_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <map>
#include <memory>
#include <string>

#include "access/grants.h"
#include "access/login_check.h"
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

QStringList Rows(QTreeWidget& list) {
  QStringList rows;
  for (int row = 0; row < list.topLevelItemCount(); ++row) {
    rows.append(list.topLevelItem(row)->text(0) + "|" + list.topLevelItem(row)->text(1));
  }
  return rows;
}

class OperatorWindowTest : public test::LedgerFixture {
 protected:
  OperatorWindowTest() {
    db_.ExecuteOwn("insert into B_USER (UID, UNAME, UPSW, bmbh) values ('0001', '张三', ?, '')",
                   {PasswordDigest("0001secret")});
    Grant("0001", "0101", true);
    Grant("0001", "0102", false);
  }

  OperatorWindow& Window() {
    if (!window_) {
      window_ = std::make_unique<OperatorWindow>(db_, messages_);
      window_->show();
      window_->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    return *window_;
  }
  QTreeWidget& Operators() { return *ControlOf<QTreeWidget>(Window(), "ListView1"); }
  QTreeWidget& Commands() { return *ControlOf<QTreeWidget>(Window(), "ListView2"); }
  QLineEdit& CodeBox() { return *ControlOf<QLineEdit>(Window(), "MaskEdit1"); }
  QLineEdit& NameBox() { return *ControlOf<QLineEdit>(Window(), "Edit1"); }
  QString Label() { return ControlOf<QLabel>(Window(), "Label1")->text(); }
  void Press(const char* button) { ControlOf<QPushButton>(Window(), button)->click(); }
  void Type(const QString& code, const QString& name) {
    CodeBox().setFocus();
    CodeBox().setCursorPosition(0);
    QTest::keyClicks(&CodeBox(), code);
    NameBox().setText(name);
  }
  void Select(const QString& code) {
    const QList<QTreeWidgetItem*> found = Operators().findItems(code, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << code.toStdString();
    Operators().setCurrentItem(found.front());
  }
  // The codes of the checked commands.
  QStringList Checked() {
    QStringList checked;
    for (int row = 0; row < Commands().topLevelItemCount(); ++row) {
      const QTreeWidgetItem* item = Commands().topLevelItem(row);
      if (item->checkState(0) == Qt::Checked) checked.append(item->text(0));
    }
    return checked;
  }
  void SetChecked(const QString& code, bool checked) {
    const QList<QTreeWidgetItem*> found = Commands().findItems(code, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << code.toStdString();
    found.front()->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
  }
  void Grant(const std::string& operator_code, const std::string& command_code, bool granted) {
    db_.ExecuteOwn("insert or replace into B_USRGN (usrbh, gnbh, istrue) values (?, ?, ?)",
                   {operator_code, command_code, static_cast<long long>(granted)});
  }
  std::map<std::string, bool> LoginButtons(const std::string& operator_code) {
    std::map<std::string, bool> buttons;
    ForEachGrantDecision(db_, operator_code, [&](const GrantDecision& d) { buttons[d.bt_name] = d.enabled; });
    return buttons;
  }

  test::MessageRecorder messages_;
  std::unique_ptr<OperatorWindow> window_;
};

TEST_F(OperatorWindowTest, ListsTheOperatorsAndTheGrantableCommands) {
  EXPECT_EQ(Window().objectName(), "TForm10");
  EXPECT_EQ(Window().windowTitle(), "工作人员功能定义");
  EXPECT_EQ(Rows(Operators()), (QStringList{"0001|张三", "9999|系统管理员"}));
  EXPECT_EQ(Operators().headerItem()->text(0), "编号");
  EXPECT_EQ(Operators().headerItem()->text(1), "姓名");
  EXPECT_EQ(Operators().columnWidth(0), 36);
  EXPECT_EQ(Operators().columnWidth(1), 100);
  EXPECT_TRUE(Operators().selectedItems().isEmpty());
  // 用户管理 (0402) is reserved to the administrator and never listed.
  EXPECT_EQ(Rows(Commands()), (QStringList{"0101|收入", "0102|支出", "0103|转帐", "0201|科目余额查询",
                                           "0301|期间发生数查询", "0401|修改口令", "0403|科目维护",
                                           "0404|调用计算器"}));
  EXPECT_EQ(Commands().headerItem()->text(1), "功能");
  EXPECT_EQ(Commands().columnWidth(1), 130);
  EXPECT_TRUE(Checked().isEmpty());
  EXPECT_TRUE(Label().isEmpty());
  EXPECT_EQ(CodeBox().displayText(), "____");
  EXPECT_EQ(NameBox().maxLength(), 20);  // the operator name's width in the journal too
  const char* buttons[][2] = {{"BitBtn1", "添加/修改"}, {"BitBtn2", "删除"},     {"BitBtn3", "清除口令"},
                              {"BitBtn4", "退出"},      {"BitBtn5", "取消修改"}, {"BitBtn6", "保存修改"}};
  for (const auto& [name, caption] : buttons) {
    EXPECT_EQ(ControlOf<QPushButton>(Window(), name)->text(), QString::fromUtf8(caption));
  }
}

TEST_F(OperatorWindowTest, NewOperatorIsListedInOrderAndChosenWithEveryCommandRefused) {
  Select("0001");
  ASSERT_EQ(Checked(), QStringList{"0101"});
  Type("0005", "李四");
  Press("BitBtn1");
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_EQ(Rows(Operators()), (QStringList{"0001|张三", "0005|李四", "9999|系统管理员"}));
  EXPECT_EQ(Operators().selectedItems().front()->text(0), "0005");
  EXPECT_EQ(Label(), "0005   李四");
  EXPECT_EQ(Window().CurrentOperator(), "0005");
  EXPECT_TRUE(Checked().isEmpty());
  EXPECT_EQ(CodeBox().displayText(), "____");
  EXPECT_TRUE(NameBox().text().isEmpty());
  EXPECT_EQ(Count("select count(*) from B_USRGN where usrbh='0005' and istrue=0"), 8);
  EXPECT_EQ(CheckLogin(db_, "0005", "").outcome, LoginOutcome::kAccepted);
}

TEST_F(OperatorWindowTest, TypedExistingCodeRenamesKeepingPasswordAndGrants) {
  Type("0001", "张三丰");
  Press("BitBtn1");
  EXPECT_EQ(Rows(Operators()), (QStringList{"0001|张三丰", "9999|系统管理员"}));
  EXPECT_EQ(Label(), "0001   张三丰");
  EXPECT_EQ(Checked(), QStringList{"0101"});
  EXPECT_EQ(CheckLogin(db_, "0001", "secret").operator_name, "张三丰");
}

TEST_F(OperatorWindowTest, MissingOrIncompleteInputIsRefused) {
  const struct {
    const char* code;
    const char* name;
    const char* message;
  } cases[] = {
      {"", "李四", kOperatorInputMissing},
      {"0005", "", kOperatorInputMissing},
      {"12", "李四", kInvalidCodeInput},
  };
  for (const auto& c : cases) {
    CodeBox().clear();
    Type(QString::fromUtf8(c.code), QString::fromUtf8(c.name));
    messages_.informed.clear();
    Press("BitBtn1");
    EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(c.message)}) << c.code << "/" << c.name;
  }
  EXPECT_EQ(Count("select count(*) from B_USER"), 2);
  EXPECT_EQ(NameBox().text(), "李四");  // a refusal keeps what was typed
}

TEST_F(OperatorWindowTest, CodeBoxLeftHalfTypedTakesTheFocusBackAndEscAbandonsTheChange) {
  Type("12", "");
  NameBox().setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(messages_.informed, QStringList{kInvalidCodeInput});
  EXPECT_TRUE(CodeBox().hasFocus());

  QTest::keyClick(&CodeBox(), Qt::Key_Escape);
  EXPECT_EQ(CodeBox().displayText(), "____");
  NameBox().setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(messages_.informed.size(), 1);
  EXPECT_TRUE(NameBox().hasFocus());

  Type("1234", "");  // a whole code leaves freely
  NameBox().setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(messages_.informed.size(), 1);
}

TEST_F(OperatorWindowTest, CancelBringsBackTheStoredMarksAndSaveStoresWhatTheLoginApplies) {
  Select("0001");
  SetChecked("0102", true);
  SetChecked("0103", true);
  Press("BitBtn5");
  EXPECT_EQ(Checked(), QStringList{"0101"});  // 0103 has no grant row: unmarked, as the login has it

  SetChecked("0101", false);
  SetChecked("0103", true);
  SetChecked("0301", true);
  Press("BitBtn6");
  EXPECT_TRUE(messages_.informed.isEmpty());
  for (const auto& [button, enabled] : LoginButtons("0001")) {
    EXPECT_EQ(enabled, button == "m0103" || button == "m0301") << button;
  }
}

// The marks shown are the selected operator's own: another operator's mark never carries over, so a
// save cannot grant it by mistake.
TEST_F(OperatorWindowTest, NextOperatorWithoutAGrantRowShowsThatCommandUnmarked) {
  db_.ExecuteOwn("insert into B_USER (UID, UNAME, UPSW) values ('0002', '李四', ?)", {PasswordDigest("0002")});
  Grant("0002", "0102", true);
  Select("0001");
  Select("0002");
  EXPECT_EQ(Label(), "0002   李四");
  EXPECT_EQ(Checked(), QStringList{"0102"});
}

TEST_F(OperatorWindowTest, DeleteRefusesTheAdministratorAndRemovesAnOperatorAtOnce) {
  Press("BitBtn2");
  EXPECT_EQ(messages_.informed, QStringList{kSelectOperatorToDelete});

  Select("9999");
  messages_.informed.clear();
  Press("BitBtn2");
  EXPECT_EQ(messages_.informed, QStringList{kAdministratorNotDeleted});
  EXPECT_EQ(Operators().topLevelItemCount(), 2);

  Select("0001");
  messages_.informed.clear();
  Press("BitBtn2");
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_TRUE(messages_.asked.isEmpty());
  EXPECT_EQ(Rows(Operators()), QStringList{"9999|系统管理员"});
  EXPECT_TRUE(Operators().selectedItems().isEmpty());
  EXPECT_TRUE(Label().isEmpty());
  EXPECT_TRUE(Checked().isEmpty());
  EXPECT_EQ(Count("select count(*) from B_USER where UID='0001'"), 0);
  EXPECT_EQ(Count("select count(*) from B_USRGN where usrbh='0001'"), 0);

  // No operator is chosen any more: saving writes no grant under the deleted code.
  SetChecked("0101", true);
  Press("BitBtn6");
  EXPECT_EQ(Count("select count(*) from B_USRGN where usrbh='0001'"), 0);
}

TEST_F(OperatorWindowTest, ClearPasswordLetsTheOperatorLogInEmpty) {
  Press("BitBtn3");
  EXPECT_EQ(messages_.informed, QStringList{kSelectOperatorToClear});
  Select("0001");
  messages_.informed.clear();
  Press("BitBtn3");
  EXPECT_EQ(messages_.informed, QStringList{kPasswordCleared});
  EXPECT_EQ(CheckLogin(db_, "0001", "").outcome, LoginOutcome::kAccepted);
}

TEST_F(OperatorWindowTest, RefusedRowIsShownAsAnErrorAndAddsNothing) {
  db_.Execute("create trigger refuse before insert on B_USRGN begin select raise(abort, 'refused'); end");
  Type("0005", "李四");
  Press("BitBtn1");
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors.front().contains("refused")) << messages_.errors.front().toStdString();
  EXPECT_EQ(Operators().topLevelItemCount(), 2);
  EXPECT_FALSE(FindOperator(db_, "0005"));
  EXPECT_EQ(NameBox().text(), "李四");
}

TEST_F(OperatorWindowTest, OpensCentredInTheFrameAndCloses) {
  QMdiArea frame;
  frame.resize(1000, 800);
  frame.show();
  ChildWindowRegistry registry(frame);
  registry.RegisterFactory("TForm10", [this] { return new OperatorWindow(db_, messages_); });
  QWidget* window = registry.Open("TForm10");
  ASSERT_NE(window, nullptr);
  auto* sub_window = qobject_cast<QMdiSubWindow*>(window->parentWidget());
  ASSERT_NE(sub_window, nullptr);
  const QSize area = frame.viewport()->size();
  EXPECT_EQ(sub_window->size(), QSize(554, 478));
  EXPECT_EQ(sub_window->pos(), QPoint((area.width() - 554) / 2, (area.height() - 478) / 2));

  ControlOf<QPushButton>(*window, "BitBtn4")->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(registry.Find("TForm10"), nullptr);
}

}  // namespace
}  // namespace money
