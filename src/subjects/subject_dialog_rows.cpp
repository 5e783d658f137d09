#include "subjects/subject_dialog_rows.h"

#include <QDialog>

#include "ui/named_widgets.h"

namespace money {

namespace {

constexpr int kLabelLeft = 40;
constexpr int kLabelWidth = 44;
constexpr int kNameTop = 64;
constexpr int kNoteTop = 104;
constexpr int kNameLength = 40;
constexpr int kNoteLength = 240;
constexpr int kSaveLeft = 72;
constexpr int kCancelLeft = 184;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

}  // namespace

SubjectDialogRows BuildSubjectDialogRows(QDialog& dialog, int buttons_top) {
  SubjectDialogRows rows{};
  NamedLabel("Label1", "编号:", &dialog)->setGeometry(kLabelLeft, kSubjectCodeTop, kLabelWidth, kSubjectRowHeight);
  rows.code_label = NamedLabel("Label3", "", &dialog);
  QFont code_font = rows.code_label->font();
  code_font.setUnderline(true);
  rows.code_label->setFont(code_font);

  NamedLabel("Label2", "名称:", &dialog)->setGeometry(kLabelLeft, kNameTop, kLabelWidth, kSubjectRowHeight);
  rows.name_edit = NamedEditor("dxEdit2", &dialog, kNameLength);
  rows.name_edit->setGeometry(kSubjectEditorLeft, kNameTop, kSubjectEditorWidth, kSubjectRowHeight);
  NamedLabel("Label4", "备注:", &dialog)->setGeometry(kLabelLeft, kNoteTop, kLabelWidth, kSubjectRowHeight);
  rows.note_edit = NamedEditor("dxEdit1", &dialog, kNoteLength);
  rows.note_edit->setGeometry(kSubjectEditorLeft, kNoteTop, kSubjectEditorWidth, kSubjectRowHeight);

  rows.save_button = NamedButton("BitBtn1", "确定", &dialog);
  rows.save_button->setDefault(true);
  rows.save_button->setGeometry(kSaveLeft, buttons_top, kButtonWidth, kButtonHeight);
  rows.cancel_button = NamedButton("BitBtn2", "取消", &dialog);
  rows.cancel_button->setGeometry(kCancelLeft, buttons_top, kButtonWidth, kButtonHeight);
  return rows;
}

}  // namespace money
