#include "reports/date_range_dialog.h"

#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "access/login_state.h"
#include "reports/query_messages.h"
#include "ui/error_guard.h"
#include "ui/named_widgets.h"

namespace money {
namespace {

constexpr QSize kSize(251, 208);

QDate DateOf(const std::chrono::year_month_day& date) {
  return QDate(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
               static_cast<int>(static_cast<unsigned>(date.day())));
}

// The date text "yyyy.MM.dd", the same in every locale.
std::string RangeText(const QDate& date) { return date.toString(QStringLiteral("yyyy.MM.dd")).toStdString(); }

QDateEdit* DatePicker(const char* name, QWidget* parent) {
  auto* picker = new QDateEdit(parent);
  picker->setObjectName(QString::fromUtf8(name));
  picker->setCalendarPopup(true);
  picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
  return picker;
}

}  // namespace

DateRangeDialog::DateRangeDialog(const LoginState& login, MessageService& messages, RangeConfirmed confirmed,
                                 QWidget* parent)
    : QDialog(parent), login_(login), messages_(messages), confirmed_(std::move(confirmed)) {
  setObjectName(QStringLiteral("TForm14"));
  setWindowTitle(QString::fromUtf8(kDateRangeCaption));
  setFixedSize(kSize);
  BuildControls();
}

void DateRangeDialog::BuildControls() {
  start_ = DatePicker("DateTimePicker1", this);
  end_ = DatePicker("DateTimePicker2", this);
  auto* dates = new QGridLayout;
  dates->addWidget(NamedLabel("Label1", QStringLiteral("从："), this), 0, 0);
  dates->addWidget(start_, 0, 1);
  dates->addWidget(NamedLabel("Label2", QStringLiteral("到："), this), 1, 0);
  dates->addWidget(end_, 1, 1);

  QPushButton* confirm_button = NamedButton("BitBtn1", QStringLiteral("确定"), this);
  confirm_button->setDefault(true);
  QPushButton* cancel_button = NamedButton("BitBtn2", QStringLiteral("取消"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(confirm_button);
  buttons->addWidget(cancel_button);
  buttons->addStretch();

  auto* page = new QVBoxLayout(this);
  page->addStretch();
  page->addLayout(dates);
  page->addStretch();
  page->addLayout(buttons);

  connect(confirm_button, &QPushButton::clicked, this, &DateRangeDialog::Confirm);
  connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);
}

DateRange DateRangeDialog::Range() const { return {RangeText(start_->date()), RangeText(end_->date())}; }

void DateRangeDialog::showEvent(QShowEvent* event) {
  const QDate working_date = DateOf(login_.working_date);
  start_->setDate(QDate(working_date.year(), working_date.month(), 1));
  end_->setDate(working_date);
  QDialog::showEvent(event);
}

void DateRangeDialog::Confirm() {
  if (RunGuarded(messages_, this, [this] { confirmed_(Range()); })) accept();
}

}  // namespace money
