#include "shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "shell/bar_manager.h"
#include "shell/calculator.h"
#include "shell/child_window_registry.h"
#include "shell/client_area.h"
#include "shell/command_actions.h"
#include "shell/main_status_bar.h"
#include "shell/shell_messages.h"
#include "storage/ledger_database.h"
#include "storage/settings_file.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/pictures.h"
#include "ui/record_list.h"
#include "ui/record_navigator.h"

namespace money {
namespace {

// The commands that open a child window, and the form name of that window's class (its registry key).
struct ChildCommand {
  const char* command;
  const char* window;
};

constexpr ChildCommand kChildCommands[] = {
    {"m0101", "TForm8"}, {"m0102", "TForm19"}, {"m0103", "TForm23"}, {"m0201", "TForm13"},
    {"N101", "TForm17"}, {"N102", "TForm10"},  {"N107", "TForm6"},
};

constexpr const char* kLookCommands[] = {"N211", "N212", "N213"};

}  // namespace

MainWindow::MainWindow(LedgerDatabase& database, MessageService& messages, const std::filesystem::path& executable,
                       QWidget* parent)
    : QMainWindow(parent),
      database_(database),
      messages_(messages),
      program_folder_(executable.parent_path()),
      settings_path_(SettingsFilePath(executable)) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(QString::fromUtf8(kProgramTitle));
  setWindowIcon(ProgramIcon());
  resize(550, 337);

  frame_ = new ClientArea(this);
  setCentralWidget(frame_);
  status_bar_ = new MainStatusBar(this);
  setStatusBar(status_bar_);

  child_windows_ = new ChildWindowRegistry(*frame_, this);
  navigator_ = new RecordNavigator(messages_, this);
  commands_ = new CommandActions(this);
  bars_ = new BarManager(*this, *commands_, *navigator_);
  ConnectCommands();
  connect(frame_, &QMdiArea::subWindowActivated, this, &MainWindow::BindNavigatorToActiveChild);

  const std::filesystem::path layout = BarLayoutFilePath(program_folder_);
  std::error_code ignored;
  if (std::filesystem::exists(layout, ignored)) bars_->LoadLayout(layout);
}

// The frame and its child windows go before the rest of the window: no more activations from it.
MainWindow::~MainWindow() { disconnect(frame_, nullptr, this, nullptr); }

void MainWindow::ConnectCommand(const char* name, std::function<void()> handler) {
  connect(commands_->Find(QString::fromUtf8(name)), &QAction::triggered, this,
          [this, handler = std::move(handler)] { RunGuarded(messages_, this, handler); });
}

void MainWindow::ConnectCommands() {
  for (const ChildCommand& child : kChildCommands) {
    const QString key = QString::fromUtf8(child.window);
    ConnectCommand(child.command, [this, key] { child_windows_->Open(key); });
  }
  ConnectCommand("N108", [this] { StartCalculator(); });
  ConnectCommand("N109", [this] { close(); });
  ConnectCommand("N211", [this] { SelectLook(BarLook::kFlat); });
  ConnectCommand("N212", [this] { SelectLook(BarLook::kEnhanced); });
  ConnectCommand("N213", [this] { SelectLook(BarLook::kStandard); });
  ConnectCommand("N22", [this] { SetLargeIcons(!bars_->LargeIcons()); });
  ConnectCommand("N23", [this] { frame_->tileSubWindows(); });
  ConnectCommand("N24", [this] { frame_->cascadeSubWindows(); });
  ConnectCommand("N25", [this] { MinimizeAllChildren(); });
  ConnectCommand("N26", [this] { CloseAllChildren(); });
}

void MainWindow::SetLoginState(const LoginState& state) { login_ = state; }

void MainWindow::SetStatusText(int panel, const QString& text) { status_bar_->SetPanelText(panel, text); }

void MainWindow::ApplyStoredLook(int style, int big_button) {
  SetLargeIcons(big_button == 1);
  if (style >= static_cast<int>(BarLook::kFlat) && style <= static_cast<int>(BarLook::kStandard)) {
    SelectLook(static_cast<BarLook>(style));
  }
}

QAction* MainWindow::Command(const QString& name) const { return commands_->Find(name); }

void MainWindow::SelectLook(BarLook look) {
  bars_->SetLook(look);
  for (int index = 0; index < 3; ++index) {
    Command(QString::fromUtf8(kLookCommands[index]))->setChecked(index + 1 == static_cast<int>(look));
  }
}

void MainWindow::SetLargeIcons(bool on) {
  bars_->SetLargeIcons(on);
  Command(QStringLiteral("N22"))->setChecked(on);
}

void MainWindow::StartCalculator() {
  if (!money::StartCalculator(qEnvironmentVariable("PATH"))) {
    messages_.Inform(this, QString::fromUtf8(kCalculatorMissingMessage));
  }
}

// From the bottom of the window stack to the top: the active window is the last one handled.
void MainWindow::MinimizeAllChildren() {
  for (QMdiSubWindow* child : frame_->subWindowList(QMdiArea::StackingOrder)) child->showMinimized();
}

void MainWindow::CloseAllChildren() {
  for (QMdiSubWindow* child : frame_->subWindowList(QMdiArea::StackingOrder)) child->close();
}

// The navigator drives the record list of the current child window: the window itself when it is a
// list, else the first list inside it; with none, the navigator is unbound.
void MainWindow::BindNavigatorToActiveChild() {
  QMdiSubWindow* current = frame_->currentSubWindow();
  QWidget* window = current ? current->widget() : nullptr;
  if (window != nullptr) {
    QList<QWidget*> candidates = window->findChildren<QWidget*>();
    candidates.prepend(window);
    for (QWidget* candidate : candidates) {
      if (auto* list = dynamic_cast<RecordList*>(candidate)) {
        navigator_->Bind(*list, *candidate);
        return;
      }
    }
  }
  navigator_->Unbind();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  const bool children_open = !frame_->subWindowList().isEmpty();
  if (children_open && messages_.Ask(this, QString::fromUtf8(kOpenChildrenQuestion)) != Answer::kYes) return;
  RunGuarded(messages_, this, [this, event, children_open] {
    SaveBarsAndLook();
    // Closed only once the window really closes: a refused settings write keeps it open, and usable.
    if (children_open && database_.Connected()) database_.Close();
    event->accept();
  });
}

void MainWindow::SaveBarsAndLook() {
  bars_->SaveLayout(BarLayoutFilePath(program_folder_));
  SettingsFile settings(settings_path_);
  settings.WriteIntegers("Menu",
                         {{"Style", static_cast<int>(bars_->Look())}, {"BigButton", bars_->LargeIcons() ? 1 : 0}});
}

}  // namespace money
