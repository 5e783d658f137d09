#pragma once

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace money {

// The controls both subject dialogs share: "编号:" with the underlined code (Label3), "名称:" with the name
// (dxEdit2, 40 characters), "备注:" with the note (dxEdit1, 240 characters), and 确定 (BitBtn1, the
// default button) and 取消 (BitBtn2) in a row at `buttons_top`.
struct SubjectDialogRows {
  QLabel* code_label;
  QLineEdit* name_edit;
  QLineEdit* note_edit;
  QPushButton* save_button;
  QPushButton* cancel_button;
};

SubjectDialogRows BuildSubjectDialogRows(QDialog& dialog, int buttons_top);

// Where the editors stand: the code line shares their left edge and width.
inline constexpr int kSubjectEditorLeft = 88;
inline constexpr int kSubjectEditorWidth = 169;
inline constexpr int kSubjectRowHeight = 23;
inline constexpr int kSubjectCodeTop = 24;

}  // namespace money
