#pragma once

#include <QDialog>

#include <filesystem>
#include <string>

class QDateEdit;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QTimer;

namespace money {

class LedgerDatabase;
class LoginTarget;
class MessageService;

// The login dialog "登录" (TForm3), shown modally once at start-up. A successful login records the login
// state on the main window, stores the operator code, applies the stored tool bar look and the
// operator's grants, and closes the dialog with Accepted. 退出 and Esc end the program at once, as does
// the title-bar close while the login is pending: the ledger is closed and the main window never shown.
class LoginDialog : public QDialog {
  Q_OBJECT

 public:
  LoginDialog(LedgerDatabase& database, MessageService& messages, std::filesystem::path settings_file,
              LoginTarget& target, QWidget* parent = nullptr);

  // Set from creation until a successful login.
  bool LoginPending() const { return login_pending_; }
  // The operator left the dialog so that the program ends (see above).
  bool ProgramEnded() const { return program_ended_; }

  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  void LogIn();
  void EndProgram();
  void ApplyGrants(const std::string& operator_code);
  void ShowAdministratorHint();
  void Tick();

  LedgerDatabase& database_;
  MessageService& messages_;
  std::filesystem::path settings_file_;
  LoginTarget& target_;
  bool login_pending_ = true;
  bool program_ended_ = false;

  QLineEdit* code_edit_ = nullptr;
  QPushButton* hint_button_ = nullptr;
  QLineEdit* password_edit_ = nullptr;
  QDateEdit* date_picker_ = nullptr;
  QTimeEdit* clock_ = nullptr;
  QPushButton* login_button_ = nullptr;
  QPushButton* exit_button_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace money
