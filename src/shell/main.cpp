// The program: splash, start-up windows, login, then the main window until it is closed.

#include <QCoreApplication>
#include <QLocale>
#include <QScreen>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>

#include "access/login_dialog.h"
#include "shell/main_window.h"
#include "shell/shell_messages.h"
#include "shell/splash_window.h"
#include "shell/startup_windows.h"
#include "storage/ledger_database.h"
#include "ui/application.h"
#include "ui/message_service.h"
#include "ui/save_file_service.h"

namespace {

// Qt would abort without a screen to connect to; say so plainly instead.
bool HasDisplay() {
  return std::getenv("QT_QPA_PLATFORM") != nullptr || std::getenv("DISPLAY") != nullptr ||
         std::getenv("WAYLAND_DISPLAY") != nullptr;
}

// A Chinese program: names sort by pinyin and numbers follow the Chinese conventions, whatever the
// machine's own language.
void UseChineseConventions() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }

// Maximized; its normal bounds are the whole work area too, so a display without a window manager,
// which ignores the maximized state, still shows the frame over the full screen.
void ShowMaximized(QWidget& window) {
  if (const QScreen* screen = window.screen()) window.setGeometry(screen->availableGeometry());
  window.showMaximized();
}

int Run(money::MessageService& messages) {
  UseChineseConventions();
  auto splash = std::make_unique<money::SplashWindow>();
  splash->ShowCentred();
  QCoreApplication::setApplicationName(QString::fromUtf8(money::kProgramTitle));
  money::LedgerDatabase database;
  money::DialogSaveFileService save_files;
  const money::StartupWindows windows(database, messages, save_files,
                                      std::filesystem::path(QCoreApplication::applicationFilePath().toStdString()));
  splash.reset();
  windows.Login().exec();
  if (windows.Login().ProgramEnded()) return 0;
  ShowMaximized(windows.Main());
  return QCoreApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr, "%s\n", money::kNoDisplayMessage);
    return 1;
  }
  money::DialogMessageService messages;
  money::Application application(argc, argv, messages);
  try {
    return Run(messages);
  } catch (const std::exception& error) {
    messages.ShowError(nullptr, QString::fromUtf8(error.what()));
  }
  return 1;
}
