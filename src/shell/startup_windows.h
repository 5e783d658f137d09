#pragma once

#include <filesystem>
#include <memory>

#include "subjects/loaded_subjects.h"
#include "subjects/picker_callers.h"
#include "subjects/subject_codes.h"
#include "transactions/entry_kind.h"

namespace money {

class AboutBox;
class AddSubjectDialog;
class DateRangeDialog;
class DetailLedgerWindow;
class EditDialog;
class EntryDialog;
class LedgerDatabase;
class LoginDialog;
class MainWindow;
class MessageService;
class ModifySubjectDialog;
class SaveFileService;
class SubjectPicker;

// The windows created at start-up, hidden, in this order; they live until the program ends and are
// destroyed in the reverse order (the main window last):
//   1. the main window (TForm1);
//   2. the ledger opened (the data module);
//   3. the login dialog (TForm3);
//   4. the about box (TForm99);
//   5. the subject dialogs TForm7, TForm5;
//   6. the add-income dialog TForm9, the savings and income pickers TForm12, TForm11, the modify-income
//      dialog TForm16, the period detail ledger TForm18;
//   7. the add-expense dialog TForm20, the modify-expense dialog TForm21, the expense picker TForm22,
//      the add-transfer dialog TForm24, the modify-transfer dialog TForm25;
//   8. the subject detail ledger TForm28, the date-range dialog TForm14.
// Each window joins this list at its place, and here its commands and child-window factories are
// connected to the main window (MainWindow::Command, MainWindow::ChildWindows). The subject pickers, the
// entry and edit dialogs and the detail ledgers write their placement when the program ends, that is when
// this object goes.
class StartupWindows {
 public:
  StartupWindows(LedgerDatabase& database, MessageService& messages, SaveFileService& save_files,
                 const std::filesystem::path& executable);
  ~StartupWindows();
  StartupWindows(const StartupWindows&) = delete;
  StartupWindows& operator=(const StartupWindows&) = delete;

  MainWindow& Main() const { return *main_window_; }
  LoginDialog& Login() const { return *login_dialog_; }
  AboutBox& About() const { return *about_box_; }
  SubjectPicker& Picker(SubjectClass subject_class) const;
  EntryDialog& Entry(EntryKind kind) const;
  EditDialog& Edit(EntryKind kind) const;
  DetailLedgerWindow& PeriodDetail() const { return *period_detail_; }
  DetailLedgerWindow& SubjectDetail() const { return *subject_detail_; }
  DateRangeDialog& RangeDialog() const { return *date_range_dialog_; }

 private:
  void CreateQueryWindows(LedgerDatabase& database, MessageService& messages, SaveFileService& save_files,
                          const std::filesystem::path& settings_file);

  MessageService& messages_;
  std::unique_ptr<MainWindow> main_window_;
  std::unique_ptr<LoginDialog> login_dialog_;
  std::unique_ptr<AboutBox> about_box_;
  std::unique_ptr<AddSubjectDialog> add_subject_dialog_;
  std::unique_ptr<ModifySubjectDialog> modify_subject_dialog_;
  // The pickers' loaded lists (the look-up of typed codes) and the dialogs the pickers fill.
  LoadedSubjects loaded_subjects_;
  PickerCallers picker_callers_;
  std::unique_ptr<EntryDialog> income_entry_dialog_;
  std::unique_ptr<SubjectPicker> savings_picker_;
  std::unique_ptr<SubjectPicker> income_picker_;
  std::unique_ptr<EditDialog> income_edit_dialog_;
  std::unique_ptr<DetailLedgerWindow> period_detail_;
  std::unique_ptr<EntryDialog> expense_entry_dialog_;
  std::unique_ptr<EditDialog> expense_edit_dialog_;
  std::unique_ptr<SubjectPicker> expense_picker_;
  std::unique_ptr<EntryDialog> transfer_entry_dialog_;
  std::unique_ptr<EditDialog> transfer_edit_dialog_;
  std::unique_ptr<DetailLedgerWindow> subject_detail_;
  std::unique_ptr<DateRangeDialog> date_range_dialog_;
  // Every confirmed date range opens one more period activity window, under a key of its own.
  int period_windows_opened_ = 0;
};

}  // namespace money
