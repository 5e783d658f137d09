#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <vector>

#include "shell/bar_layout.h"
#include "shell/tool_bar_look.h"

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;

namespace money {

class CommandActions;
class RecordNavigator;

// The main window's bars: the main menu bar "主菜单" (a menu bar carried by a tool bar, so that it docks
// and moves like the others), the tool bar "工具栏" and the record-navigation bar "DBNavigator", all
// docked at the top, with their look (Flat, Enhanced, Standard) and large or small icons.
class BarManager : public QObject {
  Q_OBJECT

 public:
  BarManager(QMainWindow& window, const CommandActions& commands, const RecordNavigator& navigator);

  QToolBar& MainMenuBar() const { return *main_menu_bar_; }
  QToolBar& ToolBar() const { return *tool_bar_; }
  QToolBar& NavigatorBar() const { return *navigator_bar_; }
  QMenuBar& Menus() const { return *menus_; }
  // A menu by its objectName ("m01", "m02", "N2", "N21", "N1", "N3"), or nullptr.
  QMenu* Menu(const QString& name) const;

  BarLook Look() const { return look_; }
  void SetLook(BarLook look);
  bool LargeIcons() const { return large_icons_; }
  void SetLargeIcons(bool on);

  void SaveLayout(const std::filesystem::path& file) const;
  void LoadLayout(const std::filesystem::path& file);

 private:
  QMenu* AddMenu(const QString& name, const QString& caption, const std::vector<const char*>& items);
  QAction* Item(const QString& name) const;
  std::vector<BarItems> Bars() const;

  QMainWindow& window_;
  const CommandActions& commands_;
  const RecordNavigator& navigator_;
  std::vector<QMenu*> menus_list_;
  QMenuBar* menus_ = nullptr;
  QToolBar* main_menu_bar_ = nullptr;
  QToolBar* tool_bar_ = nullptr;
  QToolBar* navigator_bar_ = nullptr;
  BarLook look_ = BarLook::kFlat;
  bool large_icons_ = false;
};

}  // namespace money
