#include "subjects/add_subject_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "subjects/subject_messages.h"
#include "transactions/transaction_messages.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"

namespace money {
namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 226;
// The editors' left edge and width; the code line shares them between the parent code and the segment.
constexpr int kEditorLeft = 88;
constexpr int kEditorWidth = 169;
constexpr int kPixelsPerCodeCharacter = 6;
constexpr int kRowHeight = 23;
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
  NamedLabel("Label1", "编号:", this)->setGeometry(40, 24, 44, kRowHeight);
  parent_code_label_ = NamedLabel("Label3", "", this);
  QFont code_font = parent_code_label_->font();
  code_font.setUnderline(true);
  parent_code_label_->setFont(code_font);
  segment_edit_ = new QLineEdit(this);
  segment_edit_->setObjectName(QStringLiteral("dxMaskEdit1"));
  segment_edit_->setInputMask(QStringLiteral("000;_"));

  NamedLabel("Label2", "名称:", this)->setGeometry(40, 64, 44, kRowHeight);
  name_edit_ = NamedEditor("dxEdit2", this, 40);
  name_edit_->setGeometry(kEditorLeft, 64, kEditorWidth, kRowHeight);
  NamedLabel("Label4", "备注:", this)->setGeometry(40, 104, 44, kRowHeight);
  note_edit_ = NamedEditor("dxEdit1", this, 240);
  note_edit_->setGeometry(kEditorLeft, 104, kEditorWidth, kRowHeight);

  auto* save_button = new QPushButton(QStringLiteral("确定"), this);
  save_button->setObjectName(QStringLiteral("BitBtn1"));
  save_button->setDefault(true);
  save_button->setGeometry(72, 160, 75, 25);
  auto* cancel_button = new QPushButton(QStringLiteral("取消"), this);
  cancel_button->setObjectName(QStringLiteral("BitBtn2"));
  cancel_button->setAutoDefault(false);
  cancel_button->setGeometry(184, 160, 75, 25);

  connect(save_button, &QPushButton::clicked, this, [this] { RunGuarded(messages_, this, [this] { Save(); }); });
  connect(cancel_button, &QPushButton::clicked, this, &AddSubjectDialog::reject);
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
  parent_code_label_->setGeometry(kEditorLeft, 24, code_width, kRowHeight);
  // The largest type in which the whole code fits its six pixels per character.
  QFont code_font = parent_code_label_->font();
  for (int pixels = kLargestCodePixels; pixels > kSmallestCodePixels; --pixels) {
    code_font.setPixelSize(pixels);
    if (QFontMetrics(code_font).horizontalAdvance(code) <= code_width) break;
  }
  parent_code_label_->setFont(code_font);
  segment_edit_->setGeometry(kEditorLeft + code_width, 24, kEditorWidth - code_width, kRowHeight);
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
