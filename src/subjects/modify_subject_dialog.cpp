#include "subjects/modify_subject_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "storage/database_error.h"
#include "subjects/subject_codes.h"
#include "subjects/subject_dialog_rows.h"
#include "subjects/subject_messages.h"
#include "transactions/transaction_messages.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"

namespace money {
namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 243;
constexpr int kButtonsTop = 172;

}  // namespace

ModifySubjectDialog::ModifySubjectDialog(LedgerDatabase& database, MessageService& messages, QWidget* parent)
    : QDialog(parent), database_(database), messages_(messages) {
  setObjectName(QStringLiteral("TForm5"));
  setWindowTitle(QStringLiteral("修改科目"));
  setFixedSize(kWidth, kHeight);
  BuildControls();
}

void ModifySubjectDialog::BuildControls() {
  const SubjectDialogRows rows = BuildSubjectDialogRows(*this, kButtonsTop);
  code_label_ = rows.code_label;
  code_label_->setGeometry(kSubjectEditorLeft, kSubjectCodeTop, kSubjectEditorWidth, kSubjectRowHeight);
  name_edit_ = rows.name_edit;
  note_edit_ = rows.note_edit;
  connect(rows.save_button, &QPushButton::clicked, this, [this] { RunGuarded(messages_, this, [this] { Save(); }); });
  connect(rows.cancel_button, &QPushButton::clicked, this, &ModifySubjectDialog::reject);
}

void ModifySubjectDialog::Prepare(const Subject& subject) {
  subject_ = subject;
  setResult(QDialog::Rejected);
  code_label_->setText(QString::fromStdString(subject.id));
  name_edit_->setText(QString::fromStdString(subject.mc));
  note_edit_->setText(QString::fromStdString(subject.bz));
  name_edit_->setFocus();
}

void ModifySubjectDialog::Save() {
  const std::string name = Trimmed(name_edit_->text().toStdString());
  if (name.empty()) {
    messages_.Inform(this, QString::fromUtf8(kFillAllFields));
    return;
  }
  try {
    RenameSubject(database_, subject_, name, Trimmed(note_edit_->text().toStdString()));
  } catch (const DatabaseError&) {
    messages_.Inform(this, QString::fromUtf8(kSaveFailedMessage));
    return;
  }
  accept();
}

}  // namespace money
