#include "transactions/entry_dialog.h"

#include <QDate>
#include <QPushButton>
#include <QShowEvent>

#include "access/login_state.h"
#include "storage/settings_file.h"
#include "subjects/picker_callers.h"
#include "transactions/entry_dialog_kinds.h"
#include "transactions/posting_engine.h"
#include "transactions/subject_entry_form.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"
#include "ui/window_placement.h"

namespace money {

EntryDialog::EntryDialog(EntryKind kind, EntryServices services, QWidget* parent)
    : QDialog(parent), kind_(kind), services_(std::move(services)) {
  const EntryDialogKind& traits = EntryDialogOf(kind_);
  SetUpEntryDialog(*this, traits.form_name, traits.caption, traits.settings_section, services_);
  BuildControls();
  services_.callers.Register(traits.form_name, *form_);
}

void EntryDialog::BuildControls() {
  const EntryDialogKind& traits = EntryDialogOf(kind_);
  form_ = new SubjectEntryForm(kind_, traits.source_tag, traits.destination_tag, services_, this);
  QPushButton* continue_button = NamedButton("BitBtn3", QStringLiteral("存盘继续"), this);
  QPushButton* close_after_button = NamedButton("BitBtn1", QStringLiteral("存盘退出"), this);
  QPushButton* close_button = NamedButton("BitBtn2", QString::fromUtf8(traits.close_caption), this);
  form_->SetLastStop(*close_after_button);

  LayOutEntryDialog(*this, *form_, {continue_button, close_after_button, close_button});

  connect(continue_button, &QPushButton::clicked, this, &EntryDialog::SaveAndContinue);
  connect(close_after_button, &QPushButton::clicked, this, &EntryDialog::SaveAndClose);
  connect(close_button, &QPushButton::clicked, this, &EntryDialog::reject);
}

void EntryDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  form_->SetDate(QDate::currentDate());
  form_->ClearSubjectsAndMemo();
  form_->FocusSourceCode();
}

bool EntryDialog::Save() {
  if (!form_->CheckTypedInput()) return false;
  const SaveCheck check = form_->CheckSave();
  if (!check.ok) {
    services_.messages.Inform(this, QString::fromStdString(check.message));
    return false;
  }
  const NewEntry entry{kind_,
                       form_->DateText(),
                       {form_->Code(PickSide::kSource), form_->Level(PickSide::kSource)},
                       {form_->Code(PickSide::kDestination), form_->Level(PickSide::kDestination)},
                       check.amount,
                       form_->Memo(),
                       services_.login.operator_code,
                       services_.login.operator_name};
  const PostingResult result = PostEntry(services_.database, entry);
  if (!result.ok) {
    services_.messages.Inform(this, QString::fromStdString(result.message));
    return false;
  }
  // The entry is in the books whatever the list does: a failed re-read is shown and the save goes on.
  RunGuarded(services_.messages, this, [this] { services_.reload_journal(kind_); });
  return true;
}

void EntryDialog::SaveAndContinue() {
  RunGuarded(services_.messages, this, [this] {
    if (!Save()) return;
    form_->ClearSubjectsAndMemo();
    form_->ClearAmount();
    form_->FocusSourceCode();
  });
}

void EntryDialog::SaveAndClose() {
  RunGuarded(services_.messages, this, [this] {
    if (Save()) accept();
  });
}

void EntryDialog::StorePosition() const {
  SettingsFile settings(services_.settings_file);
  SavePosition(*this, settings, EntryDialogOf(kind_).settings_section);
}

}  // namespace money
