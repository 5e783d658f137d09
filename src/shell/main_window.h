#pragma once

#include <QMainWindow>

#include <filesystem>
#include <functional>

#include "access/login_state.h"
#include "access/login_target.h"
#include "shell/tool_bar_look.h"

class QMdiArea;

namespace money {

class BarManager;
class ChildWindowRegistry;
class CommandActions;
class LedgerDatabase;
class MainStatusBar;
class MessageService;
class RecordNavigator;

// The main window "禾川家庭财务软件" (TForm1): the frame of the child windows, with the bars, the
// command buttons, the status bar and the record navigator. It routes the commands to the child-window
// registry and holds the login state. The program folder is the executable's folder; the settings file
// and "Tool.ini" live there.
class MainWindow : public QMainWindow, public LoginTarget {
  Q_OBJECT

 public:
  MainWindow(LedgerDatabase& database, MessageService& messages, const std::filesystem::path& executable,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  void SetLoginState(const LoginState& state) override;
  void SetStatusText(int panel, const QString& text) override;
  void ApplyStoredLook(int style, int big_button) override;
  QAction* Command(const QString& name) const override;

  const LoginState& Login() const { return login_; }
  const std::filesystem::path& ProgramFolder() const { return program_folder_; }
  const std::filesystem::path& SettingsPath() const { return settings_path_; }
  QMdiArea& Frame() const { return *frame_; }
  ChildWindowRegistry& ChildWindows() const { return *child_windows_; }
  RecordNavigator& Navigator() const { return *navigator_; }
  BarManager& Bars() const { return *bars_; }
  MainStatusBar& Status() const { return *status_bar_; }

  // Selects a look and checks only its command; switches large icons and checks "BigButton" to match.
  void SelectLook(BarLook look);
  void SetLargeIcons(bool on);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectCommand(const char* name, std::function<void()> handler);
  void ConnectCommands();
  void StartCalculator();
  void MinimizeAllChildren();
  void CloseAllChildren();
  void BindNavigatorToActiveChild();
  void SaveBarsAndLook();

  LedgerDatabase& database_;
  MessageService& messages_;
  std::filesystem::path program_folder_;
  std::filesystem::path settings_path_;
  LoginState login_;
  QMdiArea* frame_ = nullptr;
  ChildWindowRegistry* child_windows_ = nullptr;
  RecordNavigator* navigator_ = nullptr;
  CommandActions* commands_ = nullptr;
  BarManager* bars_ = nullptr;
  MainStatusBar* status_bar_ = nullptr;
};

}  // namespace money
