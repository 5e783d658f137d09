#pragma once

#include <QDialog>

#include "transactions/entry_kind.h"
#include "transactions/entry_services.h"

namespace money {

class SubjectEntryForm;

// An entry dialog: add income TForm9 "添加收入", add expense TForm20 "添加支出" or add transfer TForm24
// "转帐", one class configured by the kind (kEntryDialogKinds). Created once at start-up and shown
// modally by the journal window of its kind. Every showing sets the date to today and empties the codes,
// names and memo; the amount stays from the last showing. "存盘退出" (BitBtn1) and "存盘继续" (BitBtn3)
// check the input, post it with the logged-in operator and re-read the journal list; then the first
// closes the dialog and the second empties it for the next entry, keeping the date. A refused or failed
// save keeps everything as typed. The close button (BitBtn2) closes without saving.
class EntryDialog : public QDialog {
  Q_OBJECT

 public:
  // Placed at the position kept in its section; joins the dialogs the pickers fill.
  EntryDialog(EntryKind kind, EntryServices services, QWidget* parent = nullptr);

  EntryKind Kind() const { return kind_; }
  SubjectEntryForm& Form() const { return *form_; }

  // At program end: the current position into the dialog's section. Throws SettingsWriteError.
  void StorePosition() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  // True when the entry was posted.
  bool Save();
  void SaveAndContinue();
  void SaveAndClose();

  EntryKind kind_;
  EntryServices services_;
  SubjectEntryForm* form_ = nullptr;
};

}  // namespace money
