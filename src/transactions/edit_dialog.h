#pragma once

#include <QDialog>

#include <string>

#include "transactions/entry_kind.h"
#include "transactions/entry_services.h"
#include "transactions/posting_engine.h"

namespace money {

class SubjectEntryForm;

// The journal row an edit dialog changes, as the journal window hands it over: the entry's fields and
// the short names of its two subjects.
struct JournalRow {
  long long serial = 0;
  std::string date;  // "yyyy.MM.dd"
  std::string source;
  std::string destination;
  std::string memo;
  double amount = 0;
  std::string source_name;
  std::string destination_name;
};

// An edit dialog "所选记录修改为": modify income TForm16, modify expense TForm21 or modify transfer
// TForm25, one class configured by the kind (kEditDialogKinds), with the editors and checks of the entry
// dialogs. Created once at start-up; the journal window fills it with the focused entry and shows it
// modally. "确定" (BitBtn1) replaces the stored entry by the changed one under the same serial number,
// re-attributed to the logged-in operator, re-reads the journal list and closes; a failure keeps the
// dialog open with the changes and the same stored entry, so confirming again retries the same change.
// "取消" (BitBtn2, or Esc) closes without writing.
class EditDialog : public QDialog {
  Q_OBJECT

 public:
  // Placed at the position kept in its section; joins the dialogs the pickers fill.
  EditDialog(EntryKind kind, EntryServices services, QWidget* parent = nullptr);

  EntryKind Kind() const { return kind_; }
  SubjectEntryForm& Form() const { return *form_; }

  // Takes the entry to change and shows it: the date taken apart from its text, the codes with their
  // short names, the amount with two decimals, the memo. Throws std::invalid_argument for a date text
  // that names no calendar date (nothing is taken then).
  void Fill(const JournalRow& row);

  // At program end: the current position into the dialog's section. Throws SettingsWriteError.
  void StorePosition() const;

 protected:
  // Every showing starts in the source code editor, wherever the focus was when the dialog last closed.
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void Confirm();

  EntryKind kind_;
  EntryServices services_;
  StoredEntry stored_;
  SubjectEntryForm* form_ = nullptr;
};

}  // namespace money
