#pragma once

#include <QDialog>

#include <filesystem>
#include <string>

#include "subjects/subject_codes.h"

class QPushButton;

namespace money {

class LedgerDatabase;
class LoadedSubjects;
class MessageService;
class PickerCallers;
class TreeList;

// A subject picker: the income picker TForm11 "选择收入科目", the savings picker TForm12 "选择节余科目"
// or the expense picker TForm22 "选择支出科目", one class configured by the class it lists. It lives
// for the whole run and is shown modally by the entry and edit dialogs after they have set its caller
// tag. Its list (every subject of the class but the root) is read at creation and on "刷新" only, and
// is also the class's look-up table in LoadedSubjects. "确定" or a double-click writes the focused
// subject into the dialog side the tag names (PickerCallers) and closes; "取消" closes.
class SubjectPicker : public QDialog {
  Q_OBJECT

 public:
  // Reads the position from the picker's section, reads the list and expands the tree. Without a
  // ledger connection the list stays empty until "刷新".
  SubjectPicker(SubjectClass subject_class, LedgerDatabase& database, MessageService& messages,
                LoadedSubjects& loaded, const PickerCallers& callers, std::filesystem::path settings_file,
                QWidget* parent = nullptr);

  SubjectClass Class() const { return class_; }
  void SetCallerTag(std::string tag) { caller_tag_ = std::move(tag); }
  const std::string& CallerTag() const { return caller_tag_; }

  // At program end: the current position into the picker's section. Throws SettingsWriteError.
  void StorePosition() const;

 private:
  void BuildControls();
  void Pick();
  // Opens the list the first time, re-reads it afterwards; either way publishes it for look-ups.
  void ReadList();

  SubjectClass class_;
  LedgerDatabase& database_;
  MessageService& messages_;
  LoadedSubjects& loaded_;
  const PickerCallers& callers_;
  std::filesystem::path settings_file_;
  std::string caller_tag_;
  bool list_open_ = false;

  TreeList* tree_ = nullptr;
  QPushButton* pick_button_ = nullptr;
  QPushButton* refresh_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace money
