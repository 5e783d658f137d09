#include "subjects/modify_subject_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "storage/database_error.h"
#include "subjects/subject_codes.h"
#include "subjects/subject_messages.h"
#include "transactions/transaction_messages.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"

namespace money {
namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 243;
constexpr int kEditorLeft = 88;
constexpr int kEditorWidth = 169;
constexpr int kRowHeight = 23;

}  // namespace

ModifySubjectDialog::ModifySubjectDialog(LedgerDatabase& database, MessageService& messages, QWidget* parent)
    : QDialog(parent), database_(database), messages_(messages) {
  setObjectName(QStringLiteral("TForm5"));
  setWindowTitle(QStringLiteral("修改科目"));
  setFixedSize(kWidth, kHeight);
  BuildControls();
}

void ModifySubjectDialog::BuildControls() {
  NamedLabel("Label1", "编号:", this)->setGeometry(40, 24, 44, kRowHeight);
  code_label_ = NamedLabel("Label3", "", this);
  QFont code_font = code_label_->font();
  code_font.setUnderline(true);
  code_label_->setFont(code_font);
  code_label_->setGeometry(kEditorLeft, 24, kEditorWidth, kRowHeight);

  NamedLabel("Label2", "名称:", this)->setGeometry(40, 64, 44, kRowHeight);
  name_edit_ = NamedEditor("dxEdit2", this, 40);
  name_edit_->setGeometry(kEditorLeft, 64, kEditorWidth, kRowHeight);
  NamedLabel("Label4", "备注:", this)->setGeometry(40, 104, 44, kRowHeight);
  note_edit_ = NamedEditor("dxEdit1", this, 240);
  note_edit_->setGeometry(kEditorLeft, 104, kEditorWidth, kRowHeight);

  auto* save_button = new QPushButton(QStringLiteral("确定"), this);
  save_button->setObjectName(QStringLiteral("BitBtn1"));
  save_button->setDefault(true);
  save_button->setGeometry(72, 172, 75, 25);
  auto* cancel_button = new QPushButton(QStringLiteral("取消"), this);
  cancel_button->setObjectName(QStringLiteral("BitBtn2"));
  cancel_button->setAutoDefault(false);
  cancel_button->setGeometry(184, 172, 75, 25);

  connect(save_button, &QPushButton::clicked, this, [this] { RunGuarded(messages_, this, [this] { Save(); }); });
  connect(cancel_button, &QPushButton::clicked, this, &ModifySubjectDialog::reject);
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
