#include "subjects/add_subject_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "subjects/subject_dialog_rows.h"
#include "subjects/subject_messages.h"
#include "transactions/transaction_messages.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"

namespace money {
namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 226;
constexpr int kButtonsTop = 160;
constexpr int kPixelsPerCodeCharacter = 6;
constexpr int kLargestCodePixels = 12;
constexpr int kSmallestCodePixels = 7;

}  // namespace

AddSubjectDialog::AddSubjectDialog(LedgerDatabase& database, MessageService& messages, QWidget* parent)
    : QDialog(parent), database_(database), messages_(messages) {
  setObjectName(QStringLiteral("TForm7"));
  setWindowTitle(QStringLiteral("科目录入"));
  setFixedSize(kWidth, kHeight);
  BuildControls();
}

void AddSubjectDialog::BuildControls() {
  const SubjectDialogRows rows = BuildSubjectDialogRows(*this, kButtonsTop);
  parent_code_label_ = rows.code_label;
  name_edit_ = rows.name_edit;
  note_edit_ = rows.note_edit;
  segment_edit_ = NamedEditor("dxMaskEdit1", this);
  segment_edit_->setInputMask(QStringLiteral("000;_"));
  setTabOrder(segment_edit_, name_edit_);  // the code line comes first, as it stands
  connect(rows.save_button, &QPushButton::clicked, this, [this] { RunGuarded(messages_, this, [this] { Save(); }); });
  connect(rows.cancel_button, &QPushButton::clicked, this, &AddSubjectDialog::reject);
}

// The parent code and the segment read as one code in the width of the other editors: the code takes
// six pixels per character, the segment editor the rest.
void AddSubjectDialog::Prepare(const Subject& parent) {
  parent_ = parent;
  setResult(QDialog::Rejected);
  setWindowTitle(QStringLiteral("部颁编码录入—下级"));
  const int code_width = kPixelsPerCodeCharacter * static_cast<int>(parent.id.size());
  const QString code = QString::fromStdString(parent.id);
  parent_code_label_->setText(code);
  parent_code_label_->setGeometry(kSubjectEditorLeft, kSubjectCodeTop, code_width, kSubjectRowHeight);
  // The largest type in which the whole code fits its six pixels per character.
  QFont code_font = parent_code_label_->font();
  for (int pixels = kLargestCodePixels; pixels > kSmallestCodePixels; --pixels) {
    code_font.setPixelSize(pixels);
    if (QFontMetrics(code_font).horizontalAdvance(code) <= code_width) break;
  }
  parent_code_label_->setFont(code_font);
  segment_edit_->setGeometry(kSubjectEditorLeft + code_width, kSubjectCodeTop, kSubjectEditorWidth - code_width,
                             kSubjectRowHeight);
  segment_edit_->clear();
  name_edit_->clear();
  note_edit_->clear();
  segment_edit_->setFocus();
}

void AddSubjectDialog::Save() {
  const std::string segment = segment_edit_->text().toStdString();
  const std::string name = name_edit_->text().toStdString();
  switch (CheckNewChild(parent_, segment, name)) {
    case NewChildProblem::kParentTooDeep:
      messages_.Inform(this, QString::fromUtf8(kSevenLevelsAtMost));
      return;
    case NewChildProblem::kEmptyName:
      messages_.Inform(this, QString::fromUtf8(kFillAllFields));
      return;
    case NewChildProblem::kSegmentLength:
      messages_.Inform(this, QString::fromStdString(SegmentLengthMessage(RequiredChildCodeLength(parent_))));
      return;
    case NewChildProblem::kNone:
      break;
  }
  switch (InsertSubject(database_, NewChildRow(parent_, segment, name, note_edit_->text().toStdString()))) {
    case StoreOutcome::kStored:
      accept();
      return;
    case StoreOutcome::kDuplicateCode:
      messages_.Inform(this, QString::fromUtf8(kDuplicateSubjectCode));
      return;
    case StoreOutcome::kFailed:
      messages_.Inform(this, QString::fromUtf8(kSaveFailedMessage));
      return;
  }
}

}  // namespace money
