#pragma once

#include <QModelIndex>
#include <QString>
#include <QWidget>

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "storage/field_value.h"
#include "ui/grid_columns.h"
#include "ui/print_table.h"
#include "ui/record_list.h"

namespace money {

class GridFilterList;
class GridFooter;
class GridHeader;
class GridIndicator;
class GridModel;
class GridView;
class GroupPanel;
class LedgerDatabase;

// The group grid of the journal windows and detail ledgers: a read-only grid over a query read in
// batches as the operator scrolls, with the group panel above the column headers, a row indicator,
// group rows with their totals, optional group footers, a summary footer, the value filter from the
// headers, and the record navigator's moves. Sorting, grouping and filtering read every row first.
class GroupGrid : public QWidget, public RecordList {
  Q_OBJECT

 public:
  explicit GroupGrid(QWidget* parent = nullptr);
  ~GroupGrid() override;

  // Set-up; columns in their initial display order.
  void SetColumns(std::vector<GridColumn> columns);
  void SetSummaries(std::vector<GridSummary> summaries);
  void SetGroupFooters(bool shown);
  // Whether the column headers offer the value filter (they do unless switched off).
  void SetValueFilterOffered(bool offered);
  void SetBatchSize(size_t rows);
  // The field that tells the rows apart (a journal's serial number): a refresh of a grouped grid comes
  // back to the row holding the same value.
  void SetKeyField(std::string field);

  // Runs the query, reads its first batch and stands on the first row. Throws DatabaseError.
  void Open(LedgerDatabase& database, std::string select_text);
  // Lets the query go; the grid shows no rows.
  void Close();

  void SortBy(const std::string& field, Qt::SortOrder order = Qt::AscendingOrder);
  void ClearSort();
  void GroupBy(const std::string& field, int level = -1);
  void Ungroup(const std::string& field);
  const std::vector<std::string>& GroupedFields() const;
  void SetFilter(const std::string& field, const std::set<std::string>& values);
  // Opens the value filter's drop-down under the column's header (reads every row first).
  GridFilterList* ShowFilterList(const std::string& field);

  // No data row is shown (the query has none, or the filter keeps none).
  bool IsEmpty() const;
  // The current data row's position in grid order; on a group or footer row, its group's first row.
  std::optional<size_t> CurrentPosition() const;
  // Whether the current row is an entry's row (not a group or footer row).
  bool CurrentIsDataRow() const;
  void SetCurrentPosition(size_t position);
  // Fields of the current row, by field name: any column (calculated and look-up ones included) or
  // field of the query. NULL, "" and 0 when there is no current row.
  FieldValue CurrentValue(std::string_view field) const;
  std::string CurrentText(std::string_view field) const;
  double CurrentNumber(std::string_view field) const;

  // The summary footer below the rows: a text under the column of a field.
  void SetFooterText(const std::string& field, const QString& text, Qt::Alignment alignment);
  void ClearFooter();
  void SetFooterVisible(bool shown);

  // For export and print: the shown columns (grouped ones too) in display order, as column indexes,
  // and every data row in grid order (reads all rows; rows inside collapsed groups included).
  std::vector<int> DisplayedColumns() const;
  std::vector<size_t> RowsInGridOrder();
  // The grid's current state for the print preview: all rows read, group rows, data rows of expanded
  // groups and footer rows as shown, and the summary footer while it is shown.
  PrintTable PrintState();

  GridModel* Model() const { return model_; }
  GridView* View() const { return view_; }
  GridHeader* Header() const { return header_; }
  GroupPanel* Panel() const { return panel_; }
  GridFooter* Footer() const { return footer_; }
  GridIndicator* Indicator() const { return indicator_; }

 public slots:
  // The record navigator's moves, over data rows in grid order; a group is opened to show its row.
  void First() override;
  void Prior() override;
  void Next() override;
  void Last() override;
  // Runs the query again; sorting, grouping and filters stay. Ungrouped, it stands on the first row.
  // Grouped, the groups that were open are opened again and the focus comes back to the row of the same
  // key value (or the same group row); when that is gone, to the data row now at its position (the last
  // one when the list got shorter), its groups opened.
  void Refresh() override;
  void ExpandAll();
  void CollapseAll();

 signals:
  // A double-click anywhere in the rows but on a group row (which opens or closes the group).
  void RowDoubleClicked();
  void CurrentRowChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  template <typename Change>
  void Rearrange(Change change);
  void ApplyColumns();
  void SyncArrangement();
  void FocusFirstRow();
  void FocusIndex(const QModelIndex& index);
  void RefreshGrouped();
  void AddPrintRows(PrintTable& table, const QModelIndex& parent, int level) const;

  GridModel* model_;
  GridView* view_;
  GridHeader* header_;
  GroupPanel* panel_;
  GridIndicator* indicator_;
  GridFooter* footer_;
  std::string key_field_;
};

}  // namespace money
