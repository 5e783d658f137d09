#include "ui/message_service.h"

#include <QApplication>
#include <QMessageBox>

namespace money {

void DialogMessageService::Inform(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok, owner);
  box.exec();
}

Answer DialogMessageService::Ask(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kQuestionCaption), text,
                  QMessageBox::Yes | QMessageBox::No, owner);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? Answer::kYes : Answer::kNo;
}

}  // namespace money
