#pragma once

#include <QDialog>

#include "subjects/subject_store.h"

class QLabel;
class QLineEdit;

namespace money {

class LedgerDatabase;
class MessageService;

// The modify dialog TForm5 "修改科目": the subject's code (not editable), its name and its note.
// "确定" renames the subject and rebuilds every long name below it in one transaction, then closes; a
// refused input or a failed save keeps the dialog open. Codes never change. Created once at start-up;
// the maintenance window prepares it for a subject before every showing.
class ModifySubjectDialog : public QDialog {
  Q_OBJECT

 public:
  ModifySubjectDialog(LedgerDatabase& database, MessageService& messages, QWidget* parent = nullptr);

  // Shows the subject's code, name and note, and keeps its old long name for the rebuild.
  void Prepare(const Subject& subject);

 private:
  void BuildControls();
  void Save();

  LedgerDatabase& database_;
  MessageService& messages_;
  Subject subject_;

  QLabel* code_label_ = nullptr;
  QLineEdit* name_edit_ = nullptr;
  QLineEdit* note_edit_ = nullptr;
};

}  // namespace money
