#pragma once

#include <QString>
#include <QWidget>

#include <string>
#include <vector>

#include "access/grant_store.h"

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace money {

class LedgerDatabase;
class MessageService;

// The operator window TForm10 "工作人员功能定义", a child window of the main frame: the operators, a
// code and a name to add or rename one, and per operator a check mark for every command that can be
// granted (those reserved to the administrator are not listed). It opens 554 x 478 pixels, centred in
// the frame, and keeps no settings.
// After "添加/修改" the list is read again and the typed operator is selected, so that the grant list and
// its label always show the operator that "保存修改" and "取消修改" act on; after "删除" no operator is
// chosen, and "保存修改" writes nothing until one is.
class OperatorWindow : public QWidget {
  Q_OBJECT

 public:
  // Reads the catalogue and the operators at once; a DatabaseError passes through (no window).
  OperatorWindow(LedgerDatabase& database, MessageService& messages, QWidget* parent = nullptr);

  // The operator the grant list refers to; empty while none is chosen.
  const std::string& CurrentOperator() const { return current_operator_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void LoadCommandList();
  void LoadOperatorList();
  void SelectOperator(const QString& code);
  void OperatorSelected();
  void ReloadMarks();
  void StoreMarks();
  void AddOrRename();
  void DeleteSelected();
  void ClearSelectedPassword();
  // The code box refuses to be left holding one to three digits after a change.
  void CheckLeftCode();
  void RefuseCode();
  QTreeWidgetItem* SelectedOperator() const;
  std::vector<CommandGrant> Marks() const;
  void ShowMarks(const std::vector<CommandGrant>& marks);

  LedgerDatabase& database_;
  MessageService& messages_;
  std::string current_operator_;
  bool placed_ = false;
  bool refusing_code_ = false;
  QString code_before_change_;

  QLineEdit* code_edit_ = nullptr;
  QLineEdit* name_edit_ = nullptr;
  QTreeWidget* operator_list_ = nullptr;
  QLabel* operator_label_ = nullptr;
  QTreeWidget* command_list_ = nullptr;
};

}  // namespace money
