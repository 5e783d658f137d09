#include "shell/bar_manager.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "shell/command_actions.h"
#include "shell/menu_bar_style.h"
#include "ui/record_navigator.h"

namespace money {
namespace {

constexpr int kSmallIcon = 16;
constexpr int kLargeIcon = 32;
constexpr const char* kGroup = "|";

QToolBar* NewBar(QMainWindow& window, const QString& caption) {
  auto* bar = new QToolBar(caption, &window);
  bar->setObjectName(caption);
  return bar;
}

void AddItems(QWidget& holder, const CommandActions& commands, const std::vector<const char*>& names) {
  for (const char* name : names) {
    if (QString::fromUtf8(name) == QLatin1String(kGroup)) {
      auto* separator = new QAction(&holder);
      separator->setSeparator(true);
      holder.addAction(separator);
    } else {
      holder.addAction(commands.Find(QString::fromUtf8(name)));
    }
  }
}

}  // namespace

BarManager::BarManager(QMainWindow& window, const CommandActions& commands, const RecordNavigator& navigator)
    : QObject(&window), window_(window), commands_(commands), navigator_(navigator) {
  setObjectName(QStringLiteral("dxBarManager1"));

  QMenu* entry = AddMenu(QStringLiteral("m01"), QStringLiteral("数据录入"), {"m0101", "m0102", "m0103"});
  QMenu* query = AddMenu(QStringLiteral("m02"), QStringLiteral("数据查询"), {"m0301", "m0201"});
  QMenu* style = AddMenu(QStringLiteral("N21"), QStringLiteral("Style"), {"N211", "N212", "N213"});
  QMenu* windows = AddMenu(QStringLiteral("N2"), QStringLiteral("窗口"), {});
  windows->addMenu(style);
  AddItems(*windows, commands_, {"N22", kGroup, "N23", "N24", kGroup, "N25", "N26"});
  QMenu* system = AddMenu(QStringLiteral("N1"), QStringLiteral("系统管理"),
                          {"N101", "N102", kGroup, "N107", kGroup, "N108", kGroup, "N109"});
  QMenu* help = AddMenu(QStringLiteral("N3"), QStringLiteral("帮助"), {"N33", "N34"});

  main_menu_bar_ = NewBar(window_, QStringLiteral("主菜单"));
  menus_ = new QMenuBar(main_menu_bar_);
  menus_->setObjectName(QStringLiteral("MainMenu"));
  menus_->setNativeMenuBar(false);
  auto* right_end = new MenuBarStyle;
  right_end->setParent(QCoreApplication::instance());  // must outlive the menu bar
  menus_->setStyle(right_end);
  menus_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  QFont menu_font(QStringLiteral("宋体"));
  menu_font.setPixelSize(12);
  menus_->setFont(menu_font);
  for (QMenu* menu : {entry, query, windows, system}) menus_->addMenu(menu);
  menus_->addSeparator();
  menus_->addMenu(help);
  main_menu_bar_->addWidget(menus_);

  tool_bar_ = NewBar(window_, QStringLiteral("工具栏"));
  AddItems(*tool_bar_, commands_,
           {"m0101", kGroup, "m0102", kGroup, "m0103", kGroup, "m0301", kGroup, "m0201", kGroup, "N108", kGroup,
            "N107", kGroup, "N101", kGroup, "N102", kGroup, "N109"});
  navigator_bar_ = NewBar(window_, QStringLiteral("DBNavigator"));
  for (QAction* action : navigator_.Actions()) navigator_bar_->addAction(action);

  window_.addToolBar(Qt::TopToolBarArea, main_menu_bar_);
  window_.addToolBarBreak(Qt::TopToolBarArea);
  window_.addToolBar(Qt::TopToolBarArea, tool_bar_);
  window_.addToolBar(Qt::TopToolBarArea, navigator_bar_);
  SetLook(BarLook::kFlat);
  SetLargeIcons(false);
}

QMenu* BarManager::AddMenu(const QString& name, const QString& caption, const std::vector<const char*>& items) {
  auto* menu = new QMenu(caption, &window_);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  AddItems(*menu, commands_, items);
  menus_list_.push_back(menu);
  return menu;
}

QMenu* BarManager::Menu(const QString& name) const {
  for (QMenu* menu : menus_list_) {
    if (menu->objectName() == name) return menu;
  }
  return nullptr;
}

void BarManager::SetLook(BarLook look) {
  look_ = look;
  const QString sheet = BarLookStyleSheet(look);
  for (QToolBar* bar : {main_menu_bar_, tool_bar_, navigator_bar_}) bar->setStyleSheet(sheet);
}

void BarManager::SetLargeIcons(bool on) {
  large_icons_ = on;
  const int side = on ? kLargeIcon : kSmallIcon;
  for (QToolBar* bar : {tool_bar_, navigator_bar_}) {
    bar->setIconSize(QSize(side, side));
    bar->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextBesideIcon);
  }
}

QAction* BarManager::Item(const QString& name) const {
  if (QAction* command = commands_.Find(name)) return command;
  if (QAction* move = navigator_.Action(name)) return move;
  if (QMenu* menu = Menu(name)) return menu->menuAction();
  return nullptr;
}

std::vector<BarItems> BarManager::Bars() const {
  return {{main_menu_bar_, menus_}, {tool_bar_, tool_bar_}, {navigator_bar_, navigator_bar_}};
}

void BarManager::SaveLayout(const std::filesystem::path& file) const { SaveBarLayout(window_, Bars(), file); }

void BarManager::LoadLayout(const std::filesystem::path& file) {
  LoadBarLayout(window_, Bars(), [this](const QString& name) { return Item(name); }, file);
}

}  // namespace money
