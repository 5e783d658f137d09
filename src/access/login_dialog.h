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
// operator's grants, and closes the dialog with Accepted. Every other way out (退出, Esc, the title-bar
// close) closes the ledger and leaves the login pending: the program ends without its main window.
class LoginDialog : public QDialog {
  Q_OBJECT

 public:
  LoginDialog(LedgerDatabase& database, MessageService& messages, std::filesystem::path settings_file,
              LoginTarget& target, QWidget* parent = nullptr);

  // Set from creation until a successful login.
  bool LoginPending() const { return login_pending_; }

  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void LogIn();
  void ApplyGrants(const std::string& operator_code);
  void ShowAdministratorHint();
  void Tick();

  LedgerDatabase& database_;
  MessageService& messages_;
  std::filesystem::path settings_file_;
  LoginTarget& target_;
  bool login_pending_ = true;

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
