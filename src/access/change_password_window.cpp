#include "access/change_password_window.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "access/login_state.h"
#include "access/operator_messages.h"
#include "access/password_change.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"
#include "ui/window_placement.h"

namespace money {
namespace {

constexpr QSize kOpeningSize(334, 375);
// The window opens this many pixels higher than centred.
constexpr int kRaise = 8;

QLineEdit* PasswordEditor(const char* name, QWidget* parent) {
  QLineEdit* editor = NamedEditor(name, parent);
  editor->setEchoMode(QLineEdit::Password);
  return editor;
}

}  // namespace

ChangePasswordWindow::ChangePasswordWindow(LedgerDatabase& database, MessageService& messages,
                                           const LoginState& login, QWidget* parent)
    : QWidget(parent),
      database_(database),
      messages_(messages),
      operator_code_(login.operator_code),
      operator_name_(login.operator_name) {
  setObjectName(QStringLiteral("TForm17"));
  setWindowTitle(QString::fromUtf8(kChangePasswordCaption));
  BuildControls();
}

void ChangePasswordWindow::BuildControls() {
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  QLabel* operator_label = NamedLabel(
      "Label1",
      QStringLiteral("编号：") + QString::fromStdString(operator_code_) + QStringLiteral("      姓名： ") +
          QString::fromStdString(operator_name_),
      panel);
  (new QHBoxLayout(panel))->addWidget(operator_label);

  old_password_ = PasswordEditor("LabeledEdit1", this);
  new_password_ = PasswordEditor("LabeledEdit2", this);
  confirmation_ = PasswordEditor("LabeledEdit3", this);
  QPushButton* change_button = NamedButton("BitBtn1", QStringLiteral("确定"), this);
  QPushButton* exit_button = NamedButton("BitBtn2", QStringLiteral("退出"), this);

  auto* editors = new QFormLayout;
  editors->addRow(QStringLiteral("原 口 令："), old_password_);
  editors->addRow(QStringLiteral("新 口 令："), new_password_);
  editors->addRow(QStringLiteral("确认新口令："), confirmation_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(change_button);
  buttons->addWidget(exit_button);
  buttons->addStretch();
  auto* page = new QVBoxLayout(this);
  page->addWidget(panel);
  page->addStretch();
  page->addLayout(editors);
  page->addStretch();
  page->addLayout(buttons);

  // The confirmation comes after the buttons.
  setTabOrder(old_password_, new_password_);
  setTabOrder(new_password_, change_button);
  setTabOrder(change_button, exit_button);
  setTabOrder(exit_button, confirmation_);

  connect(change_button, &QPushButton::clicked, this, [this] { RunGuarded(messages_, this, [this] { Change(); }); });
  connect(exit_button, &QPushButton::clicked, this, [this] { FrameOf(*this).close(); });
}

// Sized and placed when first shown, by then inside its frame: centred in the main window's client area
// less the status bar, eight pixels higher.
void ChangePasswordWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  QWidget& frame = FrameOf(*this);
  frame.resize(kOpeningSize);
  if (frame.parentWidget() == nullptr) return;
  const QWidget* main = frame.window();
  const auto* status_bar = main->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
  const int status_bar_height = status_bar != nullptr && !status_bar->isHidden() ? status_bar->height() : 0;
  frame.move((main->width() - frame.width()) / 2, (main->height() - (status_bar_height + frame.height())) / 2 - kRaise);
}

void ChangePasswordWindow::Change() {
  switch (ChangePassword(database_, operator_code_, old_password_->text().toStdString(),
                         new_password_->text().toStdString(), confirmation_->text().toStdString())) {
    case PasswordChangeOutcome::kEmptyNewPassword:
      messages_.Inform(this, QString::fromUtf8(kNewPasswordEmpty));
      return;
    case PasswordChangeOutcome::kNewPasswordsDiffer:
      messages_.Inform(this, QString::fromUtf8(kNewPasswordsDiffer));
      return;
    case PasswordChangeOutcome::kNoOperator:
      return;
    case PasswordChangeOutcome::kWrongOldPassword:
      messages_.Inform(this, QString::fromUtf8(kOldPasswordWrong));
      return;
    case PasswordChangeOutcome::kChanged:
      messages_.Inform(this, QString::fromUtf8(kPasswordChanged));
      FrameOf(*this).close();
      return;
  }
}

}  // namespace money
