#include "access/login_dialog.h"

#include <QAction>
#include <QDate>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "access/grants.h"
#include "access/login_check.h"
#include "access/login_messages.h"
#include "access/login_target.h"
#include "storage/ledger_database.h"
#include "storage/settings_file.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"
#include "ui/pictures.h"

namespace money {
namespace {

constexpr int kWidth = 394;
constexpr int kHeight = 382;
constexpr int kBannerHeight = 120;

std::chrono::year_month_day CalendarDate(const QDate& date) {
  return std::chrono::year{date.year()} / std::chrono::month{static_cast<unsigned>(date.month())} /
         std::chrono::day{static_cast<unsigned>(date.day())};
}

}  // namespace

LoginDialog::LoginDialog(LedgerDatabase& database, MessageService& messages, std::filesystem::path settings_file,
                         LoginTarget& target, QWidget* parent)
    : QDialog(parent),
      database_(database),
      messages_(messages),
      settings_file_(std::move(settings_file)),
      target_(target) {
  setObjectName(QStringLiteral("TForm3"));
  setWindowTitle(QString::fromUtf8(kLoginCaption));
  setFixedSize(kWidth, kHeight);
  BuildControls();

  code_edit_->setText(QString::fromStdString(SettingsFile(settings_file_).ReadString("User", "Code", "9999")));
  date_picker_->setDate(QDate::currentDate());
  clock_->setTime(QTime::currentTime());
  timer_->start();
  password_edit_->setFocus();
}

void LoginDialog::BuildControls() {
  auto* banner = new QLabel(this);
  banner->setObjectName(QStringLiteral("Image1"));
  banner->setPixmap(LoginBanner(QSize(kWidth, kBannerHeight)));
  banner->setFixedSize(kWidth, kBannerHeight);
  banner->setScaledContents(true);

  code_edit_ = new QLineEdit(this);
  code_edit_->setObjectName(QStringLiteral("Edit1"));
  hint_button_ = new QPushButton(QStringLiteral("?"), this);
  hint_button_->setObjectName(QStringLiteral("Button1"));
  hint_button_->setFixedWidth(24);
  password_edit_ = new QLineEdit(this);
  password_edit_->setObjectName(QStringLiteral("Edit2"));
  password_edit_->setEchoMode(QLineEdit::Password);
  password_edit_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
  date_picker_ = new QDateEdit(this);
  date_picker_->setObjectName(QStringLiteral("DTP1"));
  date_picker_->setCalendarPopup(true);
  clock_ = new QTimeEdit(this);
  clock_->setObjectName(QStringLiteral("DTP2"));
  clock_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  clock_->installEventFilter(this);
  login_button_ = new QPushButton(QStringLiteral("登录"), this);
  login_button_->setObjectName(QStringLiteral("BitBtn1"));
  login_button_->setDefault(true);
  exit_button_ = new QPushButton(QStringLiteral("退出"), this);
  exit_button_->setObjectName(QStringLiteral("BitBtn2"));
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(1000);

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(8);
  fields->setVerticalSpacing(14);
  fields->addWidget(NamedLabel("Label1", "用户编号：", this), 0, 0);
  auto* code_row = new QHBoxLayout;
  code_row->addWidget(code_edit_);
  code_row->addWidget(hint_button_);
  fields->addLayout(code_row, 0, 1);
  fields->addWidget(NamedLabel("Label2", "口令：", this), 1, 0);
  fields->addWidget(password_edit_, 1, 1);
  fields->addWidget(NamedLabel("Label3", "时间：", this), 2, 0);
  auto* time_row = new QHBoxLayout;
  time_row->addWidget(date_picker_, 3);
  time_row->addWidget(clock_, 2);
  fields->addLayout(time_row, 2, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(login_button_);
  buttons->addSpacing(24);
  buttons->addWidget(exit_button_);
  buttons->addStretch();

  auto* body = new QVBoxLayout;
  body->setContentsMargins(40, 18, 40, 18);
  body->addLayout(fields);
  body->addStretch();
  body->addLayout(buttons);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->addWidget(banner);
  page->addLayout(body);

  setTabOrder(password_edit_, login_button_);
  setTabOrder(login_button_, exit_button_);
  setTabOrder(exit_button_, date_picker_);
  setTabOrder(date_picker_, clock_);
  setTabOrder(clock_, code_edit_);
  setTabOrder(code_edit_, hint_button_);

  connect(login_button_, &QPushButton::clicked, this, [this] { RunGuarded(messages_, this, [this] { LogIn(); }); });
  connect(exit_button_, &QPushButton::clicked, this, &LoginDialog::EndProgram);
  connect(hint_button_, &QPushButton::clicked, this, &LoginDialog::ShowAdministratorHint);
  connect(timer_, &QTimer::timeout, this, &LoginDialog::Tick);
}

void LoginDialog::LogIn() {
  const std::string code = code_edit_->text().toStdString();
  const LoginResult result = CheckLogin(database_, code, password_edit_->text().toStdString());
  switch (result.outcome) {
    case LoginOutcome::kEmptyCode:
      return;
    case LoginOutcome::kUnknownCode:
      messages_.Inform(this, QString::fromUtf8(kUnknownOperatorMessage));
      return;
    case LoginOutcome::kWrongPassword:
      messages_.Inform(this, QString::fromUtf8(kWrongPasswordMessage));
      return;
    case LoginOutcome::kAccepted:
      break;
  }
  SettingsFile settings(settings_file_);
  settings.WriteString("User", "Code", code);
  const int style = settings.ReadInteger("Menu", "Style", 1);
  const int big_button = settings.ReadInteger("Menu", "BigButton", 1);
  target_.SetLoginState({code, result.operator_name, CalendarDate(date_picker_->date())});
  target_.SetStatusText(1, QString::fromUtf8(kOperatorPanelPrefix) + QString::fromStdString(code) +
                               QStringLiteral("  ") + QString::fromStdString(result.operator_name));
  // The program's date conventions (Chinese, see main), as its date pickers show dates.
  target_.SetStatusText(3, QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
  timer_->stop();
  target_.ApplyStoredLook(style, big_button);
  login_pending_ = false;
  ApplyGrants(code);
  accept();
}

void LoginDialog::ApplyGrants(const std::string& operator_code) {
  ForEachGrantDecision(database_, operator_code, [this](const GrantDecision& decision) {
    if (QAction* command = target_.Command(QString::fromStdString(decision.bt_name))) {
      command->setEnabled(decision.enabled);
    }
  });
}

void LoginDialog::ShowAdministratorHint() { messages_.Inform(this, QString::fromUtf8(kAdministratorHint)); }

void LoginDialog::EndProgram() {
  timer_->stop();
  if (database_.Connected()) database_.Close();
  program_ended_ = true;
  QDialog::reject();
}

// The title-bar close: it ends the program only while the login is pending.
void LoginDialog::reject() {
  if (login_pending_) {
    EndProgram();
  } else {
    QDialog::reject();
  }
}

void LoginDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    EndProgram();
    return;
  }
  QDialog::keyPressEvent(event);
}

void LoginDialog::Tick() { clock_->setTime(clock_->time().addSecs(1)); }

// The clock stands still while the operator sets it.
bool LoginDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == clock_ && event->type() == QEvent::FocusIn) timer_->stop();
  if (watched == clock_ && event->type() == QEvent::FocusOut && login_pending_) timer_->start();
  return QDialog::eventFilter(watched, event);
}

}  // namespace money
