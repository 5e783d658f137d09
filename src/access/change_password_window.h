#pragma once

#include <QWidget>

#include <string>

class QLineEdit;

namespace money {

class LedgerDatabase;
class MessageService;
struct LoginState;

// The change-password window TForm17 "修改口令", a child window of the main frame: the logged-in
// operator types the old password and the new one twice; "确定" stores the new digest and closes the
// window, a refused attempt keeps it open with what was typed. It opens 334 x 375 pixels, centred in the
// main window above its status bar, and keeps no settings.
class ChangePasswordWindow : public QWidget {
  Q_OBJECT

 public:
  // Takes a copy of the login's operator code and name.
  ChangePasswordWindow(LedgerDatabase& database, MessageService& messages, const LoginState& login,
                       QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void Change();

  LedgerDatabase& database_;
  MessageService& messages_;
  std::string operator_code_;
  std::string operator_name_;
  bool placed_ = false;

  QLineEdit* old_password_ = nullptr;
  QLineEdit* new_password_ = nullptr;
  QLineEdit* confirmation_ = nullptr;
};

}  // namespace money
