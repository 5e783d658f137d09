#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>

#include "transactions/entry_kind.h"
#include "ui/show_modal.h"

class QDialog;

namespace money {

class EditDialog;
class EntryDialog;
class GroupGrid;
class LedgerDatabase;
class MessageService;

// A journal window: income TForm8 "收入", expense TForm19 "支出" or transfer TForm23 "转帐", one class
// configured by the kind (kJournalWindowKinds). A child window of the main frame listing the entries of
// its kind newest first in a group grid (dxDBGrid2), with "添加" (the entry dialog), "修改" or a
// double-click (the edit dialog, filled with the focused entry), "删除" (after a question owned by the
// main window), "刷新" and "退出". The subject names are looked up in a snapshot of the chart read when
// the window opens. It opens as kept in its section of the settings file (maximized by default) and
// writes all five keys whenever it is closed; ending the program with it open writes nothing.
class JournalWindow : public QWidget {
  Q_OBJECT

 public:
  // Reads the chart snapshot, then the entry list; a DatabaseError passes through (no window).
  JournalWindow(EntryKind kind, LedgerDatabase& database, MessageService& messages, EntryDialog& entry_dialog,
                EditDialog& edit_dialog, std::filesystem::path settings_file, ShowModal show_dialog,
                QWidget* parent = nullptr);

  EntryKind Kind() const { return kind_; }
  GroupGrid& Grid() const { return *grid_; }
  // Reads the entry list again (the chart snapshot stays) and stands on its first row; grouped, the open
  // groups stay open and the focus stays on the same entry while it is listed.
  void ReloadEntries();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void AddEntry();
  void ModifyFocused();
  void DeleteFocused();

  EntryKind kind_;
  LedgerDatabase& database_;
  MessageService& messages_;
  EntryDialog& entry_dialog_;
  EditDialog& edit_dialog_;
  std::filesystem::path settings_file_;
  ShowModal show_dialog_;
  bool placed_ = false;

  GroupGrid* grid_ = nullptr;
};

}  // namespace money
