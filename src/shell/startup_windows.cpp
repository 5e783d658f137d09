#include "shell/startup_windows.h"

#include <QAction>

#include <exception>

#include "access/login_dialog.h"
#include "shell/about_box.h"
#include "shell/main_window.h"
#include "storage/ledger_database.h"
#include "storage/ledger_file.h"
#include "storage/settings_file.h"
#include "ui/message_service.h"

namespace money {
namespace {

// A missing or damaged ledger is reported once; the program goes on without a connection, and every
// later use of the ledger reports its own error.
void OpenLedger(LedgerDatabase& database, const std::filesystem::path& program_folder, MessageService& messages) {
  try {
    if (database.Connected()) database.Close();
    database.Open(LedgerPath(program_folder));
  } catch (const std::exception&) {
    messages.Inform(nullptr, QString::fromUtf8(kConnectionFailedMessage));
  }
}

}  // namespace

StartupWindows::StartupWindows(LedgerDatabase& database, MessageService& messages,
                               const std::filesystem::path& executable) {
  main_window_ = std::make_unique<MainWindow>(database, messages, executable);
  OpenLedger(database, main_window_->ProgramFolder(), messages);
  login_dialog_ = std::make_unique<LoginDialog>(database, messages, SettingsFilePath(executable), *main_window_);
  about_box_ = std::make_unique<AboutBox>();
  QObject::connect(main_window_->Command(QStringLiteral("N33")), &QAction::triggered, about_box_.get(),
                   &QDialog::exec);
}

StartupWindows::~StartupWindows() = default;

}  // namespace money
