#include "ui/message_service.h"

#include <QApplication>
#include <QMessageBox>

namespace money {
namespace {

// Message texts break their lines with "\r\n"; a Qt label wants a plain "\n".
QString Displayed(const QString& text) {
  QString shown = text;
  return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A box without an owner (at start-up) stays on top, so the stay-on-top splash cannot hide it.
int Run(QMessageBox& box, QWidget* owner) {
  if (owner == nullptr) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  return box.exec();
}

}  // namespace

void DialogMessageService::Inform(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), Displayed(text), QMessageBox::Ok,
                  owner);
  Run(box, owner);
}

Answer DialogMessageService::Ask(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kQuestionCaption), Displayed(text),
                  QMessageBox::Yes | QMessageBox::No, owner);
  box.setDefaultButton(QMessageBox::No);
  return Run(box, owner) == QMessageBox::Yes ? Answer::kYes : Answer::kNo;
}

void DialogMessageService::ShowError(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), Displayed(text), QMessageBox::Ok,
                  owner);
  Run(box, owner);
}

}  // namespace money
