#include "transactions/edit_dialog.h"

#include <QDate>
#include <QPushButton>
#include <QShowEvent>

#include <optional>
#include <stdexcept>

#include "access/login_state.h"
#include "storage/settings_file.h"
#include "subjects/picker_callers.h"
#include "transactions/edit_dialog_kinds.h"
#include "transactions/entry_form.h"
#include "transactions/subject_entry_form.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"
#include "ui/window_placement.h"

namespace money {
namespace {

// A stored date text whose parts make no calendar date.
constexpr const char* kInvalidDateMessage = "Invalid argument to date encode";

QDate DateOfText(const std::string& text) {
  const std::optional<DateParts> parts = SplitDateText(text);
  const QDate date = parts ? QDate(parts->year, parts->month, parts->day) : QDate();
  if (!date.isValid()) throw std::invalid_argument(kInvalidDateMessage);
  return date;
}

}  // namespace

EditDialog::EditDialog(EntryKind kind, EntryServices services, QWidget* parent)
    : QDialog(parent), kind_(kind), services_(std::move(services)) {
  const EditDialogKind& traits = EditDialogOf(kind_);
  SetUpEntryDialog(*this, traits.form_name, kEditDialogCaption, traits.settings_section, services_);
  BuildControls();
  services_.callers.Register(traits.form_name, *form_);
}

void EditDialog::BuildControls() {
  const EditDialogKind& traits = EditDialogOf(kind_);
  form_ = new SubjectEntryForm(kind_, traits.source_tag, traits.destination_tag, services_, this);
  QPushButton* confirm_button = NamedButton("BitBtn1", QStringLiteral("确定"), this);
  QPushButton* cancel_button = NamedButton("BitBtn2", QStringLiteral("取消"), this);
  form_->SetLastStop(*confirm_button);

  LayOutEntryDialog(*this, *form_, {confirm_button, cancel_button});

  connect(confirm_button, &QPushButton::clicked, this,
          [this] { RunGuarded(services_.messages, this, [this] { Confirm(); }); });
  connect(cancel_button, &QPushButton::clicked, this, &EditDialog::reject);
}

void EditDialog::Fill(const JournalRow& row) {
  const QDate date = DateOfText(row.date);
  stored_ = StoredEntry{kind_, row.serial, row.source, row.destination, row.amount};
  form_->ClearSubjectsAndMemo();
  form_->SetDate(date);
  form_->ShowSubject(PickSide::kSource, row.source, row.source_name);
  form_->ShowSubject(PickSide::kDestination, row.destination, row.destination_name);
  form_->SetMemo(row.memo);
  form_->SetAmountText(AmountForEditing(row.amount));
}

void EditDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) form_->FocusSourceCode();
}

void EditDialog::Confirm() {
  if (!form_->CheckTypedInput()) return;
  const SaveCheck check = form_->CheckSave();
  if (!check.ok) {
    services_.messages.Inform(this, QString::fromStdString(check.message));
    return;
  }
  const EntryChange change{.date = form_->DateText(),
                           .source = form_->Code(PickSide::kSource),
                           .destination = form_->Code(PickSide::kDestination),
                           .amount = check.amount,
                           .memo = form_->Memo(),
                           .operator_code = services_.login.operator_code,
                           .operator_name = services_.login.operator_name};
  const PostingResult result = ModifyEntry(services_.database, stored_, change);
  if (!result.ok) {
    services_.messages.Inform(this, QString::fromStdString(result.message));
    return;
  }
  // The change is in the books whatever the list does: a failed re-read is shown and the dialog closes.
  RunGuarded(services_.messages, this, [this] { services_.reload_journal(kind_); });
  accept();
}

void EditDialog::StorePosition() const {
  SettingsFile settings(services_.settings_file);
  SavePosition(*this, settings, EditDialogOf(kind_).settings_section);
}

}  // namespace money
