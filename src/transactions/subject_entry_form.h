#pragma once

#include <QDialog>
#include <QFrame>

#include <initializer_list>
#include <string>

#include "subjects/picker_caller.h"
#include "transactions/entry_form.h"
#include "transactions/entry_kind.h"
#include "transactions/entry_services.h"

class QDate;
class QDateEdit;
class QLabel;
class QPushButton;

namespace money {

// The five rows shared by the entry and edit dialogs, in one framed panel: the date (DateTimePicker1),
// the source subject (code dxEdit1, name dxEdit2, "?" Button1), the destination subject (dxEdit3, dxEdit4,
// Button2), the amount (dxCalcEdit1) and the memo (dxEdit5).
//
// A code typed by the operator is checked when the operator leaves its editor, and before any command of
// the dialog: trimmed, looked up in the loaded list of the editor's class; found, it is written back
// trimmed with the subject's name and level; not found, the editors of its side are emptied after the
// message. A code the picker puts in is taken unchecked. A typed amount is rewritten in SqlNumber form
// when the operator leaves the editor. Enter moves date -> source -> destination -> amount -> memo ->
// the dialog's confirming button. Tab starts at the source code and reaches the date after the memo. The
// right mouse button in a code editor opens the picker of its class.
class SubjectEntryForm : public QFrame, public PickerCaller {
  Q_OBJECT

 public:
  SubjectEntryForm(EntryKind kind, std::string_view source_tag, std::string_view destination_tag,
                   const EntryServices& services, QWidget* parent = nullptr);

  QLineEdit& CodeEditor(PickSide side) override;
  QLineEdit& NameEditor(PickSide side) override;
  // Part of a pick: the side takes the level, and the code the picker wrote counts as checked.
  void SetLevel(PickSide side, int level) override;
  // The level of the subject last accepted on the side.
  int Level(PickSide side) const;

  // Where Enter in the memo editor moves the focus.
  void SetLastStop(QWidget& control);

  QDate Date() const;
  void SetDate(const QDate& date);
  // The date as "yyyy.MM.dd".
  std::string DateText() const;
  std::string Code(PickSide side) const;
  std::string AmountText() const;
  std::string Memo() const;

  // Shows a stored subject on its side; it counts as checked.
  void ShowSubject(PickSide side, const std::string& code, const std::string& name);
  void SetAmountText(const std::string& text);
  void SetMemo(const std::string& memo);
  // Empties the code, name and memo editors; the amount and the levels stay.
  void ClearSubjectsAndMemo();
  void ClearAmount();
  void FocusSourceCode();

  // Checks what the operator has typed and not had checked yet, as leaving the editors would. False when
  // a code or the amount was refused (the operator has seen why).
  bool CheckTypedInput();
  // The save checks, in their order, on what the editors hold now.
  SaveCheck CheckSave() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Side {
    SubjectClass subject_class;
    std::string tag;
    QLineEdit* code = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* hint = nullptr;
    int level = 0;
    bool typed = false;  // typed in since last checked
  };

  void BuildControls(EntryKind kind);
  Side& SideOf(PickSide side);
  const Side& SideOf(PickSide side) const;
  Side* SideOfEditor(const QObject* editor);
  bool CheckTypedExcept(const QObject* editor);
  bool CheckCode(Side& side);
  bool CheckAmount();
  void OpenPicker(Side& side);
  void ShowPickerHint();
  // Enter in a control of the chain: the focus goes to the next one.
  QWidget* NextStop(const QObject* control) const;

  const EntryServices& services_;
  Side source_;
  Side destination_;
  bool amount_typed_ = false;

  QDateEdit* date_ = nullptr;
  QLineEdit* amount_ = nullptr;
  QLineEdit* memo_ = nullptr;
  QWidget* last_stop_ = nullptr;
};

// What the entry and edit dialogs share around the form: form name, caption, the font "新宋体" 13 px, the
// size, and the position kept in their settings section.
void SetUpEntryDialog(QDialog& dialog, const char* form_name, const char* caption, const char* settings_section,
                      const EntryServices& services);

// The form above a row of buttons spread evenly, as both kinds of dialog stand.
void LayOutEntryDialog(QDialog& dialog, SubjectEntryForm& form, std::initializer_list<QPushButton*> buttons);

}  // namespace money
