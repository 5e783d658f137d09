#include "ui/message_service.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace money {
namespace {

// The real question box: warning icon, caption "提示", "No" as default, so Enter answers No.
TEST(DialogMessageServiceTest, QuestionDefaultsToNo) {
  DialogMessageService service;
  QMessageBox* seen = nullptr;
  QTimer::singleShot(0, [&] {
    seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->icon(), QMessageBox::Warning);
    EXPECT_EQ(seen->windowTitle(), QString::fromUtf8("提示"));
    EXPECT_EQ(seen->defaultButton(), seen->button(QMessageBox::No));
    seen->defaultButton()->click();
  });
  EXPECT_EQ(service.Ask(nullptr, "    确定要删除所选择的记录吗？    "), Answer::kNo);
  EXPECT_NE(seen, nullptr);
}

}  // namespace
}  // namespace money
