#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "subjects/subject_store.h"
#include "ui/show_modal.h"

class QDialog;
class QPlainTextEdit;

namespace money {

class AddSubjectDialog;
class LedgerDatabase;
class MessageService;
class ModifySubjectDialog;
class TreeList;

// The subject maintenance window TForm6 "科目维护", a child window of the main frame: the whole chart
// as a tree, the note of the focused subject beside it, and the commands to add a child under the
// focused subject (TForm7), to delete it, and to change its name and note (TForm5). The class roots are
// neither changed nor deleted; the store refuses to delete a subject that is used.
// It opens 619 x 442 pixels at the position kept in "KMFrm" and writes that position when it is closed
// (not when the program ends with it open).
class SubjectMaintenanceWindow : public QWidget {
  Q_OBJECT

 public:
  // Reads the chart at once; a DatabaseError passes through (no window).
  SubjectMaintenanceWindow(LedgerDatabase& database, MessageService& messages, AddSubjectDialog& add_dialog,
                           ModifySubjectDialog& modify_dialog, std::filesystem::path settings_file,
                           ShowModal show_modal = ExecModal, QWidget* parent = nullptr);
  ~SubjectMaintenanceWindow() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void AddChild();
  void DeleteFocused();
  void ModifyFocused();
  std::optional<Subject> FocusedSubject();
  // The note view is bound to the focused subject: what was typed into it is stored as the note of the
  // subject it showed, when the focus moves on, before a command and when the window closes.
  void FocusedSubjectChanged();
  void StoreTypedNote();
  void ShowFocusedNote();
  void KeepNoteWithinColumn();

  LedgerDatabase& database_;
  MessageService& messages_;
  AddSubjectDialog& add_dialog_;
  ModifySubjectDialog& modify_dialog_;
  std::filesystem::path settings_file_;
  ShowModal show_modal_;
  bool placed_ = false;
  std::string note_code_;

  TreeList* tree_ = nullptr;
  QPlainTextEdit* note_ = nullptr;
};

}  // namespace money
