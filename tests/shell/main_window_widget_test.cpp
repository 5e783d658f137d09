#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QThread>
#include <QToolBar>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "access/login_dialog.h"
#include "shell/bar_manager.h"
#include "shell/child_window_registry.h"
#include "shell/main_status_bar.h"
#include "shell/shell_messages.h"
#include "storage/database_error.h"
#include "storage/ledger_file.h"
#include "storage/settings_file.h"
#include "support/ledger_fixture.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"
#include "ui/record_list.h"
#include "ui/record_navigator.h"

namespace money {
namespace {

// A child window that notes when it is closed, in a list shared by the test.
class NotedWindow : public QWidget {
 public:
  NotedWindow(QString name, QStringList& closed) : closed_(closed) { setObjectName(std::move(name)); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    closed_ << objectName();
    QWidget::closeEvent(event);
  }

 private:
  QStringList& closed_;
};

// A child window with a record list, as the journal and query windows have.
class ListWindow : public QWidget, public RecordList {
 public:
  void First() override { moves << "First"; }
  void Prior() override { moves << "Prior"; }
  void Next() override { moves << "Next"; }
  void Last() override { moves << "Last"; }
  void Refresh() override { throw DatabaseError("数据库未连接", 21, 21, ""); }
  QStringList moves;
};

void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The items of a menu, menu bar or tool bar: captions, "|" for a group separator.
QString Items(const QWidget& holder) {
  QStringList items;
  for (const QAction* action : holder.actions()) {
    items << (action->isSeparator() ? QStringLiteral("|") : action->text());
  }
  return items.join(QLatin1Char(','));
}

class MainWindowTest : public test::LedgerFixture {
 protected:
  MainWindowTest() : main_(NewWindow()) {}

  std::filesystem::path Executable() const { return folder_ / "money"; }
  std::filesystem::path LayoutFile() const { return folder_ / "Tool.ini"; }
  SettingsFile Settings() const { return SettingsFile(SettingsFilePath(Executable())); }
  std::unique_ptr<MainWindow> NewWindow() { return std::make_unique<MainWindow>(db_, messages_, Executable()); }
  void Trigger(const char* command) { main_->Command(QString::fromUtf8(command))->trigger(); }
  QString Checks() const {
    QString marks;
    for (const char* command : {"N211", "N212", "N213", "N22"}) {
      marks += main_->Command(QString::fromUtf8(command))->isChecked() ? QLatin1Char('x') : QLatin1Char('-');
    }
    return marks;
  }
  QWidget* OpenNoted(const QString& key) {
    return main_->ChildWindows().Open(key, [this, key] { return new NotedWindow(key, closed_); });
  }

  test::MessageRecorder messages_;
  std::unique_ptr<MainWindow> main_;
  QStringList closed_;
};

struct CommandRow {
  const char* name;
  const char* caption;
  const char* hint;
  bool checkable;
};

TEST_F(MainWindowTest, CommandButtonsAsBuilt) {
  const CommandRow rows[] = {
      {"m0101", "收入", "收入", false},
      {"m0102", "支出", "支出", false},
      {"m0103", "转帐", "转帐", false},
      {"m0201", "科目余额查询", "科目余额查询", false},
      {"m0301", "期间发生数查询", "期间发生数查询", false},
      {"N101", "修改口令", "修改口令", false},
      {"N102", "用户管理", "用户管理", false},
      {"N107", "科目维护", "科目维护", false},
      {"N108", "调用计算器", "调用计算器", false},
      {"N109", "退出系统", "退出系统", false},
      {"N33", "关于...", "", false},
      {"N34", "系统帮助", "", false},
      {"N211", "Flat", "Flat", true},
      {"N212", "Enhanced", "Enhanced", true},
      {"N213", "Standard", "Standard", true},
      {"N22", "BigButton", "BigButton", true},
      {"N23", "平铺", "", false},
      {"N24", "层叠", "", false},
      {"N25", "最小化所有子窗口", "最小化所有子窗口", false},
      {"N26", "关闭所有子窗口", "", false},
  };
  for (const CommandRow& row : rows) {
    const QAction* command = main_->Command(QString::fromUtf8(row.name));
    ASSERT_NE(command, nullptr) << row.name;
    EXPECT_EQ(command->objectName(), row.name);
    EXPECT_EQ(command->text(), QString::fromUtf8(row.caption)) << row.name;
    if (*row.hint != '\0') {
      EXPECT_EQ(command->toolTip(), QString::fromUtf8(row.hint)) << row.name;
    }
    EXPECT_EQ(command->isCheckable(), row.checkable) << row.name;
    EXPECT_TRUE(command->isEnabled()) << row.name;
  }
  EXPECT_EQ(main_->Command("N21"), nullptr);  // a sub-menu
  EXPECT_EQ(main_->Command("First"), nullptr);  // a record-navigation button
  EXPECT_EQ(Checks(), "----");
}

TEST_F(MainWindowTest, MenusAndBarsAsBuilt) {
  const BarManager& bars = main_->Bars();
  EXPECT_EQ(Items(bars.Menus()), "数据录入,数据查询,窗口,系统管理,|,帮助");
  EXPECT_EQ(Items(*bars.Menu("m01")), "收入,支出,转帐");
  EXPECT_EQ(Items(*bars.Menu("m02")), "期间发生数查询,科目余额查询");
  EXPECT_EQ(Items(*bars.Menu("N2")), "Style,BigButton,|,平铺,层叠,|,最小化所有子窗口,关闭所有子窗口");
  EXPECT_EQ(Items(*bars.Menu("N21")), "Flat,Enhanced,Standard");
  EXPECT_EQ(Items(*bars.Menu("N1")), "修改口令,用户管理,|,科目维护,|,调用计算器,|,退出系统");
  EXPECT_EQ(Items(*bars.Menu("N3")), "关于...,系统帮助");
  EXPECT_EQ(Items(bars.ToolBar()),
            "收入,|,支出,|,转帐,|,期间发生数查询,|,科目余额查询,|,调用计算器,|,科目维护,|,修改口令,|,用户管理,|,退出系统");
  EXPECT_EQ(Items(bars.NavigatorBar()), "First,Prior,Next,Last,Refresh");

  // One button stands in the menu and on the tool bar.
  EXPECT_TRUE(bars.Menu("m01")->actions().contains(main_->Command("m0101")));
  EXPECT_TRUE(bars.ToolBar().actions().contains(main_->Command("m0101")));

  // Built-in layout: main menu alone in row 0; tool bar and navigator side by side in row 1.
  EXPECT_EQ(bars.MainMenuBar().windowTitle(), "主菜单");
  EXPECT_EQ(bars.ToolBar().windowTitle(), "工具栏");
  EXPECT_EQ(bars.NavigatorBar().windowTitle(), "DBNavigator");
  for (QToolBar* bar : {&bars.MainMenuBar(), &bars.ToolBar(), &bars.NavigatorBar()}) {
    EXPECT_EQ(main_->toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_FALSE(bar->isHidden());
  }
  EXPECT_TRUE(main_->toolBarBreak(&bars.ToolBar()));
  EXPECT_FALSE(main_->toolBarBreak(&bars.NavigatorBar()));
  EXPECT_EQ(bars.Menus().font().pixelSize(), 12);
}

TEST_F(MainWindowTest, HelpMenuStandsAtTheRightEndAndBarsShowInTheirRows) {
  main_->resize(1000, 600);
  main_->show();
  const QMenuBar& menus = main_->Bars().Menus();
  const QRect help = menus.actionGeometry(main_->Bars().Menu("N3")->menuAction());
  const QRect system = menus.actionGeometry(main_->Bars().Menu("N1")->menuAction());
  EXPECT_GT(help.left() - system.right(), 200);
  EXPECT_GE(help.right(), menus.width() - 12);
  const BarManager& bars = main_->Bars();
  EXPECT_LT(bars.MainMenuBar().geometry().bottom(), bars.ToolBar().geometry().top());
  EXPECT_EQ(bars.ToolBar().geometry().top(), bars.NavigatorBar().geometry().top());
  EXPECT_LT(bars.ToolBar().geometry().right(), bars.NavigatorBar().geometry().left());
}

TEST_F(MainWindowTest, WindowAndStatusBarAsBuilt) {
  EXPECT_EQ(main_->objectName(), "TForm1");
  EXPECT_EQ(main_->windowTitle(), "禾川家庭财务软件");
  EXPECT_EQ(main_->Status().objectName(), "StatusBar1");
  const int widths[] = {210, 190, 330, 50};
  const QString texts[] = {"禾川家庭财务软件", "", QString::fromUtf8(kStatusInformation), ""};
  for (int panel = 0; panel < 4; ++panel) {
    EXPECT_EQ(main_->Status().Panel(panel).width(), widths[panel]) << panel;
    EXPECT_EQ(main_->Status().PanelText(panel), texts[panel]) << panel;
  }
  EXPECT_FALSE(main_->Frame().background().texture().isNull());
  EXPECT_EQ(main_->ProgramFolder(), folder_.Path());
}

TEST_F(MainWindowTest, CommandsWithoutTheirWindowsDoNothing) {
  for (const char* command : {"m0101", "m0102", "m0103", "m0201", "m0301", "N101", "N102", "N107", "N34"}) {
    Trigger(command);
  }
  EXPECT_TRUE(main_->Frame().subWindowList().isEmpty());
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_TRUE(messages_.errors.isEmpty());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainWindowTest, CommandOpensOneWindowOfItsClass) {
  int created = 0;
  main_->ChildWindows().RegisterFactory("TForm8", [&] {
    ++created;
    return new NotedWindow("TForm8", closed_);
  });
  Trigger("m0101");
  Trigger("m0101");
  EXPECT_EQ(created, 1);
  ASSERT_EQ(main_->Frame().subWindowList().size(), 1);
  main_->Frame().subWindowList().front()->close();
  DeleteClosedWindows();
  EXPECT_TRUE(main_->Frame().subWindowList().isEmpty());
  Trigger("m0101");
  EXPECT_EQ(created, 2);
  EXPECT_EQ(main_->Frame().subWindowList().size(), 1);
}

TEST_F(MainWindowTest, ErrorOfACommandIsShownAndTheProgramGoesOn) {
  main_->ChildWindows().RegisterFactory("TForm13", []() -> QWidget* {
    throw DatabaseError("no such table: B_KM", 1, 1, "select * from B_KM");
  });
  Trigger("m0201");
  EXPECT_EQ(messages_.errors, QStringList{"no such table: B_KM"});
  EXPECT_TRUE(main_->Frame().subWindowList().isEmpty());
}

TEST_F(MainWindowTest, MinimizeAndCloseAllChildWindows) {
  main_->show();
  for (const char* key : {"A", "B", "C"}) OpenNoted(key);
  OpenNoted("A");  // brought forward: the top of the stack
  Trigger("N25");
  for (QMdiSubWindow* child : main_->Frame().subWindowList()) EXPECT_TRUE(child->isMinimized());
  for (const char* key : {"C", "A"}) OpenNoted(key);
  Trigger("N26");
  EXPECT_EQ(closed_, QStringList({"B", "C", "A"}));  // bottom of the stack first, the active one last
  DeleteClosedWindows();
  EXPECT_TRUE(main_->Frame().subWindowList().isEmpty());
}

TEST_F(MainWindowTest, TileAndCascade) {
  main_->resize(900, 700);
  main_->show();
  for (const char* key : {"A", "B", "C"}) OpenNoted(key);
  Trigger("N23");
  const QList<QMdiSubWindow*> children = main_->Frame().subWindowList();
  for (int i = 0; i < children.size(); ++i) {
    for (int j = i + 1; j < children.size(); ++j) {
      EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry())) << i << j;
    }
  }
  Trigger("N24");
  const QList<QMdiSubWindow*> cascaded = main_->Frame().subWindowList(QMdiArea::StackingOrder);
  for (int i = 1; i < cascaded.size(); ++i) {
    EXPECT_GT(cascaded[i]->geometry().top(), cascaded[i - 1]->geometry().top());
    EXPECT_TRUE(cascaded[i]->geometry().intersects(cascaded[i - 1]->geometry()));
  }
}

TEST_F(MainWindowTest, NavigatorFollowsTheActiveChildWindow) {
  main_->show();
  RecordNavigator& navigator = main_->Navigator();
  EXPECT_FALSE(navigator.Action("First")->isEnabled());

  ListWindow* list = nullptr;
  main_->ChildWindows().Open("TForm8", [&] { return list = new ListWindow; });
  ASSERT_EQ(navigator.Bound(), list);
  for (QAction* action : navigator.Actions()) EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
  navigator.Action("Next")->trigger();
  navigator.Action("Last")->trigger();
  EXPECT_EQ(list->moves, QStringList({"Next", "Last"}));
  navigator.Action("Refresh")->trigger();
  EXPECT_EQ(messages_.errors, QStringList{"数据库未连接"});

  // A window whose list lies inside it.
  QWidget* journal = main_->ChildWindows().Open("TForm19", [] {
    auto* window = new QWidget;
    new QWidget(window);
    auto* inner = new ListWindow;
    inner->setParent(window);
    return window;
  });
  ASSERT_NE(navigator.Bound(), nullptr);
  EXPECT_EQ(dynamic_cast<QWidget*>(navigator.Bound())->parentWidget(), journal);

  OpenNoted("other");  // a window without a record list
  EXPECT_EQ(navigator.Bound(), nullptr);
  EXPECT_FALSE(navigator.Action("Next")->isEnabled());
  main_->ChildWindows().Open("TForm8", {});
  EXPECT_EQ(navigator.Bound(), list);

  Trigger("N26");
  DeleteClosedWindows();
  EXPECT_EQ(navigator.Bound(), nullptr);
  EXPECT_FALSE(navigator.Action("Prior")->isEnabled());
}

TEST_F(MainWindowTest, CalculatorIsTheFirstFoundOnThePath) {
  const test::TempFolder programs;
  const QByteArray saved_path = qgetenv("PATH");
  for (const char* name : {"galculator", "xcalc"}) {
    std::ofstream(programs / name) << "#!/bin/sh\necho > '" << (programs / name).string() << ".started'\n";
    std::filesystem::permissions(programs / name, std::filesystem::perms::owner_all);
  }
  qputenv("PATH", QByteArray::fromStdString(programs.Path().string()));
  Trigger("N108");
  QElapsedTimer waited;
  waited.start();
  while (!std::filesystem::exists(programs / "galculator.started") && waited.elapsed() < 10000) QThread::msleep(20);
  EXPECT_TRUE(std::filesystem::exists(programs / "galculator.started"));
  EXPECT_FALSE(std::filesystem::exists(programs / "xcalc.started"));
  EXPECT_TRUE(messages_.informed.isEmpty());

  const test::TempFolder empty;
  qputenv("PATH", QByteArray::fromStdString(empty.Path().string()));
  Trigger("N108");
  qputenv("PATH", saved_path);
  EXPECT_EQ(messages_.informed, QStringList{QString::fromUtf8(kCalculatorMissingMessage)});
}

TEST_F(MainWindowTest, LookCommandsCheckOnlyTheirOwn) {
  Trigger("N212");
  EXPECT_EQ(main_->Bars().Look(), BarLook::kEnhanced);
  EXPECT_EQ(Checks(), "-x--");
  Trigger("N213");
  EXPECT_EQ(main_->Bars().Look(), BarLook::kStandard);
  EXPECT_EQ(Checks(), "--x-");
  Trigger("N213");  // chosen again: stays chosen
  EXPECT_EQ(Checks(), "--x-");
  Trigger("N211");
  EXPECT_EQ(main_->Bars().Look(), BarLook::kFlat);
  EXPECT_EQ(Checks(), "x---");

  const bool large = main_->Bars().LargeIcons();
  const QSize icons = main_->Bars().ToolBar().iconSize();
  Trigger("N22");
  EXPECT_NE(main_->Bars().LargeIcons(), large);
  EXPECT_EQ(main_->Command("N22")->isChecked(), !large);
  EXPECT_NE(main_->Bars().ToolBar().iconSize(), icons);
  Trigger("N22");
  EXPECT_EQ(main_->Bars().LargeIcons(), large);
  EXPECT_EQ(main_->Command("N22")->isChecked(), large);
  EXPECT_EQ(main_->Bars().ToolBar().iconSize(), icons);
}

TEST_F(MainWindowTest, LooksAreVisiblyDifferent) {
  main_->resize(1000, 600);
  main_->show();
  std::vector<QImage> pictures;
  for (BarLook look : {BarLook::kFlat, BarLook::kEnhanced, BarLook::kStandard}) {
    main_->SelectLook(look);
    pictures.push_back(main_->Bars().ToolBar().grab().toImage());
  }
  EXPECT_NE(pictures[0], pictures[1]);
  EXPECT_NE(pictures[1], pictures[2]);
  EXPECT_NE(pictures[0], pictures[2]);
}

struct StoredLook {
  int style;
  int big_button;
  BarLook look;
  const char* checks;  // N211 N212 N213 N22
  int written_style;
  int written_big_button;
};

TEST_F(MainWindowTest, StoredLookIsAppliedAndWrittenBackAtClose) {
  const StoredLook cases[] = {
      {1, 1, BarLook::kFlat, "x--x", 1, 1},     {2, 1, BarLook::kEnhanced, "-x-x", 2, 1},
      {3, 0, BarLook::kStandard, "--x-", 3, 0}, {7, 2, BarLook::kFlat, "----", 1, 0},
      {0, 1, BarLook::kFlat, "---x", 1, 1},
  };
  for (const StoredLook& c : cases) {
    main_ = NewWindow();
    main_->ApplyStoredLook(c.style, c.big_button);
    EXPECT_EQ(main_->Bars().Look(), c.look) << c.style;
    EXPECT_EQ(Checks(), c.checks) << c.style << "/" << c.big_button;
    EXPECT_EQ(main_->Bars().LargeIcons(), c.big_button == 1);
    ASSERT_TRUE(main_->close());
    EXPECT_EQ(Settings().ReadInteger("Menu", "Style", -1), c.written_style) << c.style;
    EXPECT_EQ(Settings().ReadInteger("Menu", "BigButton", -1), c.written_big_button) << c.big_button;
  }
}

TEST_F(MainWindowTest, LookChosenBeforeExitComesBackWithTheNextLogin) {
  Trigger("N212");
  ASSERT_TRUE(main_->close());
  EXPECT_EQ(Settings().ReadInteger("Menu", "Style", -1), 2);

  main_ = NewWindow();
  EXPECT_EQ(main_->Bars().Look(), BarLook::kFlat);
  LoginDialog login(db_, messages_, SettingsFilePath(Executable()), *main_);
  login.findChild<QLineEdit*>("Edit2")->setText("3947");
  login.findChild<QPushButton*>("BitBtn1")->click();
  ASSERT_FALSE(login.LoginPending());
  EXPECT_EQ(main_->Bars().Look(), BarLook::kEnhanced);
  EXPECT_EQ(Checks(), "-x--");  // large icons were off at exit
}

struct CloseCase {
  int children;
  Answer answer;
  bool closes;
};

TEST_F(MainWindowTest, CloseAsksOnlyWhileChildWindowsAreOpen) {
  const CloseCase cases[] = {{0, Answer::kNo, true}, {1, Answer::kNo, false}, {2, Answer::kYes, true}};
  for (const CloseCase& c : cases) {
    std::filesystem::remove(LayoutFile());
    db_.Open(LedgerPath(folder_.Path()));
    main_ = NewWindow();
    main_->show();
    for (int child = 0; child < c.children; ++child) OpenNoted(QString::number(child));
    messages_.asked.clear();
    messages_.answers = {c.answer};

    EXPECT_EQ(main_->close(), c.closes) << c.children;
    const QStringList question = {QString::fromUtf8(kOpenChildrenQuestion)};
    EXPECT_EQ(messages_.asked, c.children ? question : QStringList{}) << c.children;
    EXPECT_EQ(std::filesystem::exists(LayoutFile()), c.closes) << c.children;
    EXPECT_EQ(db_.Connected(), !(c.closes && c.children > 0)) << c.children;
    EXPECT_EQ(main_->Frame().subWindowList().size(), c.children) << c.children;  // never closed one by one
  }
  EXPECT_TRUE(closed_.isEmpty());
}

TEST_F(MainWindowTest, UnwritableLayoutFileKeepsTheWindowOpen) {
  std::filesystem::create_directory(LayoutFile());
  main_->show();
  EXPECT_FALSE(main_->close());
  EXPECT_EQ(messages_.errors, QStringList{QString::fromStdString("Unable to write to " + LayoutFile().string())});
  EXPECT_TRUE(main_->isVisible());
}

TEST_F(MainWindowTest, BarLayoutComesBackAsSaved) {
  main_->show();
  BarManager& bars = main_->Bars();
  main_->addToolBar(Qt::BottomToolBarArea, &bars.ToolBar());
  bars.ToolBar().removeAction(main_->Command("N108"));
  main_->insertToolBarBreak(&bars.NavigatorBar());
  bars.MainMenuBar().hide();
  const QString tool_items = Items(bars.ToolBar());
  ASSERT_TRUE(main_->close());
  ASSERT_TRUE(std::filesystem::exists(LayoutFile()));

  main_ = NewWindow();
  const BarManager& loaded = main_->Bars();
  EXPECT_EQ(main_->toolBarArea(&loaded.ToolBar()), Qt::BottomToolBarArea);
  EXPECT_EQ(Items(loaded.ToolBar()), tool_items);
  EXPECT_FALSE(loaded.ToolBar().actions().contains(main_->Command("N108")));
  EXPECT_EQ(main_->toolBarArea(&loaded.NavigatorBar()), Qt::TopToolBarArea);
  EXPECT_TRUE(main_->toolBarBreak(&loaded.NavigatorBar()));
  EXPECT_TRUE(loaded.MainMenuBar().isHidden());
  EXPECT_FALSE(loaded.NavigatorBar().isHidden());
  EXPECT_EQ(Items(loaded.Menus()), "数据录入,数据查询,窗口,系统管理,|,帮助");
  Trigger("N26");  // the commands of the rebuilt bars still work
  EXPECT_TRUE(messages_.errors.isEmpty());
}

TEST_F(MainWindowTest, DamagedLayoutFileKeepsTheBuiltInBars) {
  std::ofstream(LayoutFile()) << "[Layout]\nState=not a layout\n[工具栏]\nItems=m0101,nothing,|,N109\n";
  main_ = NewWindow();
  const BarManager& bars = main_->Bars();
  EXPECT_EQ(Items(bars.ToolBar()), "收入,|,退出系统");  // unknown names skipped
  EXPECT_EQ(Items(bars.NavigatorBar()), "First,Prior,Next,Last,Refresh");
  EXPECT_TRUE(main_->toolBarBreak(&bars.ToolBar()));
  EXPECT_FALSE(bars.NavigatorBar().isHidden());
}

}  // namespace
}  // namespace money
