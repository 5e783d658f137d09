#pragma once

#include <QDialog>
#include <functional>

#include "reports/period_queries.h"

class QDateEdit;

namespace money {

class MessageService;
struct LoginState;

// The date-range dialog TForm14 "确定查询的时间范围", created once at start-up and shown modally by the
// command "期间发生数查询". Each showing proposes the first day of the working date's month to the
// working date itself. "确定" hands the range to the callback (which opens a period activity window) and
// closes; "取消" or Esc closes and creates nothing. The start is not checked against the end.
class DateRangeDialog : public QDialog {
  Q_OBJECT

 public:
  using RangeConfirmed = std::function<void(const DateRange&)>;

  // `login` is the main window's login state, read at every showing.
  DateRangeDialog(const LoginState& login, MessageService& messages, RangeConfirmed confirmed,
                  QWidget* parent = nullptr);

  // The two dates as range texts.
  DateRange Range() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  // A callback that fails is shown in the error box, and the dialog stays open.
  void Confirm();

  const LoginState& login_;
  MessageService& messages_;
  RangeConfirmed confirmed_;

  QDateEdit* start_ = nullptr;
  QDateEdit* end_ = nullptr;
};

}  // namespace money
