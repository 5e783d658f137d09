#include "shell/startup_windows.h"

#include <QAction>

#include <exception>

#include "access/change_password_window.h"
#include "access/login_dialog.h"
#include "access/operator_window.h"
#include "reports/balance_queries.h"
#include "reports/date_range_dialog.h"
#include "reports/detail_ledger_window.h"
#include "reports/period_queries.h"
#include "reports/subject_tree_query_kinds.h"
#include "reports/subject_tree_query_window.h"
#include "reports/tree_query_services.h"
#include "shell/about_box.h"
#include "shell/child_window_registry.h"
#include "shell/main_window.h"
#include "storage/ledger_database.h"
#include "storage/ledger_file.h"
#include "storage/settings_file.h"
#include "subjects/add_subject_dialog.h"
#include "subjects/modify_subject_dialog.h"
#include "subjects/subject_picker.h"
#include "subjects/subject_window.h"
#include "transactions/edit_dialog.h"
#include "transactions/entry_dialog.h"
#include "transactions/entry_services.h"
#include "transactions/journal_window.h"
#include "transactions/journal_window_kinds.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"

namespace money {
namespace {

// A missing or damaged ledger is reported once; the program goes on without a connection, and every
// later use of the ledger reports its own error.
void OpenLedger(LedgerDatabase& database, const std::filesystem::path& program_folder, MessageService& messages) {
  try {
    if (database.Connected()) database.Close();
    database.Open(LedgerPath(program_folder));
  } catch (const std::exception&) {
    messages.Inform(nullptr, QString::fromUtf8(kConnectionFailedMessage));
  }
}

}  // namespace

StartupWindows::StartupWindows(LedgerDatabase& database, MessageService& messages, SaveFileService& save_files,
                               const std::filesystem::path& executable)
    : messages_(messages) {
  const std::filesystem::path settings_file = SettingsFilePath(executable);
  main_window_ = std::make_unique<MainWindow>(database, messages, executable);
  OpenLedger(database, main_window_->ProgramFolder(), messages);
  login_dialog_ = std::make_unique<LoginDialog>(database, messages, settings_file, *main_window_);
  about_box_ = std::make_unique<AboutBox>();
  QObject::connect(main_window_->Command(QStringLiteral("N33")), &QAction::triggered, about_box_.get(),
                   &QDialog::exec);

  // 5.
  add_subject_dialog_ = std::make_unique<AddSubjectDialog>(database, messages);
  modify_subject_dialog_ = std::make_unique<ModifySubjectDialog>(database, messages);
  main_window_->ChildWindows().RegisterFactory(
      QStringLiteral("TForm6"), [this, &database, &messages, settings_file]() -> QWidget* {
        return new SubjectMaintenanceWindow(database, messages, *add_subject_dialog_, *modify_subject_dialog_,
                                            settings_file);
      });

  main_window_->ChildWindows().RegisterFactory(QStringLiteral("TForm10"), [&database, &messages]() -> QWidget* {
    return new OperatorWindow(database, messages);
  });
  main_window_->ChildWindows().RegisterFactory(QStringLiteral("TForm17"), [this, &database, &messages]() -> QWidget* {
    return new ChangePasswordWindow(database, messages, main_window_->Login());
  });

  // The entry and edit dialogs pick through the pickers made below them, post as the logged-in operator
  // and re-read the journal window of their kind when it is open.
  const EntryServices entry_services{
      database,
      messages,
      loaded_subjects_,
      picker_callers_,
      [this](SubjectClass subject_class, std::string_view tag) {
        SubjectPicker& picker = Picker(subject_class);
        picker.SetCallerTag(std::string(tag));
        picker.exec();
      },
      main_window_->Login(),
      settings_file,
      [this](EntryKind kind) {
        QWidget* open = main_window_->ChildWindows().Find(QString::fromUtf8(JournalWindowOf(kind).form_name));
        if (auto* journal = qobject_cast<JournalWindow*>(open)) journal->ReloadEntries();
      }};

  // 6.
  income_entry_dialog_ = std::make_unique<EntryDialog>(EntryKind::Income, entry_services);
  savings_picker_ = std::make_unique<SubjectPicker>(SubjectClass::kSavings, database, messages, loaded_subjects_,
                                                    picker_callers_, settings_file);
  income_picker_ = std::make_unique<SubjectPicker>(SubjectClass::kIncome, database, messages, loaded_subjects_,
                                                   picker_callers_, settings_file);
  income_edit_dialog_ = std::make_unique<EditDialog>(EntryKind::Income, entry_services);
  period_detail_ = std::make_unique<DetailLedgerWindow>(DetailLedgerKind::kPeriod, database, messages, save_files,
                                                        settings_file, main_window_->ProgramFolder(), ExecModal);

  // 7.
  expense_entry_dialog_ = std::make_unique<EntryDialog>(EntryKind::Expense, entry_services);
  expense_edit_dialog_ = std::make_unique<EditDialog>(EntryKind::Expense, entry_services);
  expense_picker_ = std::make_unique<SubjectPicker>(SubjectClass::kExpense, database, messages, loaded_subjects_,
                                                    picker_callers_, settings_file);
  transfer_entry_dialog_ = std::make_unique<EntryDialog>(EntryKind::Transfer, entry_services);
  transfer_edit_dialog_ = std::make_unique<EditDialog>(EntryKind::Transfer, entry_services);
  for (const JournalWindowKind& journal : kJournalWindowKinds) {
    const EntryKind kind = journal.kind;
    main_window_->ChildWindows().RegisterFactory(
        QString::fromUtf8(journal.form_name), [this, &database, &messages, settings_file, kind]() -> QWidget* {
          return new JournalWindow(kind, database, messages, Entry(kind), Edit(kind), settings_file,
                                   [](QDialog& dialog) { dialog.exec(); });
        });
  }

  // 8.
  CreateQueryWindows(database, messages, save_files, settings_file);
}

// The subject detail ledger and the date-range dialog, and the factories of the two query windows, whose
// 查看明细 shows the detail ledgers.
void StartupWindows::CreateQueryWindows(LedgerDatabase& database, MessageService& messages, SaveFileService& save_files,
                                        const std::filesystem::path& settings_file) {
  subject_detail_ = std::make_unique<DetailLedgerWindow>(DetailLedgerKind::kSubject, database, messages, save_files,
                                                         settings_file, main_window_->ProgramFolder(), ExecModal);
  const TreeQueryServices balance_services{
      database,      messages,
      save_files,    main_window_->ProgramFolder(),
      settings_file, [this](const DetailRequest& request) { subject_detail_->Show(request); },
      ExecModal};
  main_window_->ChildWindows().RegisterFactory(QStringLiteral("TForm13"), [balance_services]() -> QWidget* {
    return new SubjectTreeQueryWindow(kBalanceQueryKind, BalanceQueryTexts(), balance_services);
  });
  const TreeQueryServices period_services{
      database,      messages,
      save_files,    main_window_->ProgramFolder(),
      settings_file, [this](const DetailRequest& request) { period_detail_->Show(request); },
      ExecModal};
  date_range_dialog_ = std::make_unique<DateRangeDialog>(
      main_window_->Login(), messages, [this, period_services](const money::DateRange& range) {
        const QString key = QStringLiteral("TForm15#%1").arg(++period_windows_opened_);
        main_window_->ChildWindows().Open(key, [&range, &period_services]() -> QWidget* {
          return new SubjectTreeQueryWindow(kPeriodQueryKind, PeriodQueryTexts(range), period_services);
        });
      });
  QObject::connect(main_window_->Command(QStringLiteral("m0301")), &QAction::triggered, date_range_dialog_.get(),
                   &QDialog::exec);
}

// Program end: the windows that live for the whole run write their positions; a write the settings file
// refuses is shown, and the others still write theirs.
StartupWindows::~StartupWindows() {
  for (const SubjectPicker* picker : {savings_picker_.get(), income_picker_.get(), expense_picker_.get()}) {
    RunGuarded(messages_, nullptr, [picker] { picker->StorePosition(); });
  }
  for (const EntryKind kind : {EntryKind::Income, EntryKind::Expense, EntryKind::Transfer}) {
    RunGuarded(messages_, nullptr, [this, kind] { Entry(kind).StorePosition(); });
    RunGuarded(messages_, nullptr, [this, kind] { Edit(kind).StorePosition(); });
  }
  for (const DetailLedgerWindow* detail : {period_detail_.get(), subject_detail_.get()}) {
    RunGuarded(messages_, nullptr, [detail] { detail->StorePlacement(); });
  }
}

SubjectPicker& StartupWindows::Picker(SubjectClass subject_class) const {
  switch (subject_class) {
    case SubjectClass::kIncome:
      return *income_picker_;
    case SubjectClass::kExpense:
      return *expense_picker_;
    case SubjectClass::kSavings:
      break;
  }
  return *savings_picker_;
}

EntryDialog& StartupWindows::Entry(EntryKind kind) const {
  switch (kind) {
    case EntryKind::Income:
      return *income_entry_dialog_;
    case EntryKind::Expense:
      return *expense_entry_dialog_;
    case EntryKind::Transfer:
      break;
  }
  return *transfer_entry_dialog_;
}

EditDialog& StartupWindows::Edit(EntryKind kind) const {
  switch (kind) {
    case EntryKind::Income:
      return *income_edit_dialog_;
    case EntryKind::Expense:
      return *expense_edit_dialog_;
    case EntryKind::Transfer:
      break;
  }
  return *transfer_edit_dialog_;
}

}  // namespace money
