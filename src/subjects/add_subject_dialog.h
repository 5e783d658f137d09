#pragma once

#include <QDialog>

#include "subjects/subject_store.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace money {

class LedgerDatabase;
class MessageService;

// The add-child dialog TForm7 (caption "部颁编码录入—下级" when shown): the parent's code, then three
// digits for the new segment, a name and a note. "确定" stores the new child and closes; a refused input
// keeps the dialog open with what was typed. Created once at start-up; the maintenance window prepares
// it for a parent before every showing.
class AddSubjectDialog : public QDialog {
  Q_OBJECT

 public:
  AddSubjectDialog(LedgerDatabase& database, MessageService& messages, QWidget* parent = nullptr);

  // Empties the editors and takes the parent: its code, its long name and the new level (its level + 1).
  void Prepare(const Subject& parent);
  const Subject& Parent() const { return parent_; }
  int NewLevel() const { return parent_.js + 1; }

 private:
  void BuildControls();
  void Save();

  LedgerDatabase& database_;
  MessageService& messages_;
  Subject parent_;

  QLabel* parent_code_label_ = nullptr;
  QLineEdit* segment_edit_ = nullptr;
  QLineEdit* name_edit_ = nullptr;
  QLineEdit* note_edit_ = nullptr;
};

}  // namespace money
