#pragma once

#include <QDialog>
#include <filesystem>

#include "reports/detail_fields.h"
#include "reports/detail_ledger_kinds.h"
#include "reports/detail_request.h"
#include "ui/show_modal.h"

namespace money {

class GroupGrid;
class LedgerDatabase;
class MessageService;
class SaveFileService;

// A detail ledger: the period detail ledger TForm18 "科目发生额明细" or the subject detail ledger TForm28
// "科目明细", one class configured by the kind (kDetailLedgerKinds). Created once at start-up, hidden, at
// the placement kept in its section of the settings file, and shown modally for each request: the detail
// lines of the request in a group grid (dxDBGrid2) read in batches as the operator scrolls, with their
// entry kind, memo, operator name and subject long name, group rows totalling the amounts, and a summary
// footer of the request's totals query. "打印预览", "全部展开", "全部收缩", "另存为Excel" (a workbook of
// every line in the grid's order) and "退出". Closing hides it and lets its queries go; the grid keeps its
// columns, sorting and grouping from one opening to the next.
class DetailLedgerWindow : public QDialog {
  Q_OBJECT

 public:
  // `show_modal` shows the window itself for a request, and its print preview.
  DetailLedgerWindow(DetailLedgerKind kind, LedgerDatabase& database, MessageService& messages,
                     SaveFileService& save_files, std::filesystem::path settings_file,
                     std::filesystem::path program_folder, ShowModal show_modal, QWidget* parent = nullptr);

  DetailLedgerKind Kind() const { return kind_; }
  GroupGrid& Grid() const { return *grid_; }

  // Takes the request's caption, reads the look-ups, the totals and the first lines, shows the window
  // modally and returns once it is closed, its queries let go. A DatabaseError while reading passes
  // through, and the window is not shown.
  void Show(const DetailRequest& request);

  // At program end: the state and bounds into the window's section. Throws SettingsWriteError.
  void StorePlacement() const;

 private:
  void BuildControls();
  void Open(const DetailRequest& request);
  void CloseQueries();
  void ShowPreview();
  void SaveAsExcel();

  DetailLedgerKind kind_;
  LedgerDatabase& database_;
  MessageService& messages_;
  SaveFileService& save_files_;
  std::filesystem::path settings_file_;
  std::filesystem::path program_folder_;
  ShowModal show_modal_;
  DetailRequest request_;
  DetailLookups lookups_;

  GroupGrid* grid_ = nullptr;
};

}  // namespace money
