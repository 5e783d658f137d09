#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <stdexcept>
#include <vector>

#include "access/login_state.h"
#include "reports/date_range_dialog.h"
#include "support/message_recorder.h"

namespace money {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

class DateRangeDialogTest : public ::testing::Test {
 protected:
  void SetWorkingDate(int y, unsigned m, unsigned d) { login_.working_date = year{y} / month{m} / day{d}; }
  QDateEdit& Picker(const char* name) { return *dialog_.findChild<QDateEdit*>(QString::fromUtf8(name)); }
  QPushButton& Button(const char* name) { return *dialog_.findChild<QPushButton*>(QString::fromUtf8(name)); }
  void Show() {
    dialog_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
  }

  LoginState login_;
  test::MessageRecorder messages_;
  std::vector<DateRange> confirmed_;
  bool fail_ = false;
  DateRangeDialog dialog_{login_, messages_, [this](const DateRange& range) {
                            if (fail_) throw std::runtime_error("no window");
                            confirmed_.push_back(range);
                          }};
};

TEST_F(DateRangeDialogTest, LooksAsBuilt) {
  EXPECT_EQ(dialog_.objectName(), "TForm14");
  EXPECT_EQ(dialog_.windowTitle(), "确定查询的时间范围");
  EXPECT_EQ(dialog_.size(), QSize(251, 208));
  EXPECT_EQ(dialog_.findChild<QLabel*>("Label1")->text(), "从：");
  EXPECT_EQ(dialog_.findChild<QLabel*>("Label2")->text(), "到：");
  EXPECT_EQ(Button("BitBtn1").text(), "确定");
  EXPECT_EQ(Button("BitBtn2").text(), "取消");
  EXPECT_TRUE(Button("BitBtn1").isDefault());
  EXPECT_TRUE(Picker("DateTimePicker1").calendarPopup());
  EXPECT_TRUE(Picker("DateTimePicker2").calendarPopup());
}

// Every showing starts from the working date's month: nothing of the last range is kept.
TEST_F(DateRangeDialogTest, EachShowingProposesTheFirstOfTheWorkingMonthToTheWorkingDate) {
  struct Case {
    int year;
    unsigned month;
    unsigned day;
    QDate start;
  };
  const Case cases[] = {
      {2005, 3, 15, QDate(2005, 3, 1)}, {2005, 4, 1, QDate(2005, 4, 1)}, {2004, 12, 31, QDate(2004, 12, 1)}};
  for (const Case& shown : cases) {
    SCOPED_TRACE(shown.day);
    SetWorkingDate(shown.year, shown.month, shown.day);
    Show();
    EXPECT_EQ(Picker("DateTimePicker1").date(), shown.start);
    EXPECT_EQ(Picker("DateTimePicker2").date(), QDate(shown.year, shown.month, shown.day));
    Picker("DateTimePicker1").setDate(QDate(1999, 1, 2));
    Picker("DateTimePicker2").setDate(QDate(1999, 1, 3));
    Button("BitBtn2").click();
    EXPECT_FALSE(dialog_.isVisible());
  }
  EXPECT_TRUE(confirmed_.empty());
}

TEST_F(DateRangeDialogTest, ConfirmHandsOverTheRangeTextsUncheckedAndCloses) {
  SetWorkingDate(2005, 3, 15);
  Show();
  Button("BitBtn1").click();
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog_.isVisible());

  Show();
  Picker("DateTimePicker1").setDate(QDate(2005, 3, 20));
  Picker("DateTimePicker2").setDate(QDate(2005, 2, 7));
  QTest::keyClick(&Picker("DateTimePicker2"), Qt::Key_Return);
  EXPECT_EQ(confirmed_, (std::vector<DateRange>{{"2005.03.01", "2005.03.15"}, {"2005.03.20", "2005.02.07"}}));
  EXPECT_FALSE(dialog_.isVisible());
}

TEST_F(DateRangeDialogTest, CancelAndEscapeCreateNothing) {
  SetWorkingDate(2005, 3, 15);
  Show();
  QTest::keyClick(&Picker("DateTimePicker1"), Qt::Key_Escape);
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog_.isVisible());
  Show();
  Button("BitBtn2").click();
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_TRUE(confirmed_.empty());
}

// The window could not be opened: the error box tells why, and the dialog stays for another try.
TEST_F(DateRangeDialogTest, AFailedOpeningIsShownAndTheDialogStays) {
  SetWorkingDate(2005, 3, 15);
  Show();
  fail_ = true;
  Button("BitBtn1").click();
  EXPECT_EQ(messages_.errors, QStringList{"no window"});
  EXPECT_TRUE(dialog_.isVisible());
  dialog_.reject();
}

}  // namespace
}  // namespace money
