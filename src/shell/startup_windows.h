#pragma once

#include <filesystem>
#include <memory>

namespace money {

class AboutBox;
class LedgerDatabase;
class LoginDialog;
class MainWindow;
class MessageService;

// The windows created at start-up, hidden, in this order; they live until the program ends and are
// destroyed in the reverse order (the main window last):
//   1. the main window (TForm1);
//   2. the ledger opened (the data module);
//   3. the login dialog (TForm3);
//   4. the about box (TForm99);
//   5. the subject dialogs TForm7, TForm5;
//   6. the add-income dialog TForm9, the savings and income pickers TForm12, TForm11, the modify-income
//      dialog TForm16, the period detail ledger TForm18;
//   7. the add-expense dialog TForm20, the modify-expense dialog TForm21, the expense picker TForm22,
//      the add-transfer dialog TForm24, the modify-transfer dialog TForm25;
//   8. the subject detail ledger TForm28, the date-range dialog TForm14.
// Each window joins this list at its place, and here its commands and child-window factories are
// connected to the main window (MainWindow::Command, MainWindow::ChildWindows).
class StartupWindows {
 public:
  StartupWindows(LedgerDatabase& database, MessageService& messages, const std::filesystem::path& executable);
  ~StartupWindows();
  StartupWindows(const StartupWindows&) = delete;
  StartupWindows& operator=(const StartupWindows&) = delete;

  MainWindow& Main() const { return *main_window_; }
  LoginDialog& Login() const { return *login_dialog_; }
  AboutBox& About() const { return *about_box_; }

 private:
  std::unique_ptr<MainWindow> main_window_;
  std::unique_ptr<LoginDialog> login_dialog_;
  std::unique_ptr<AboutBox> about_box_;
};

}  // namespace money
