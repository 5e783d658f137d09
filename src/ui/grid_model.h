#pragma once

#include <QAbstractItemModel>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "reports/row_groups.h"
#include "storage/field_value.h"
#include "storage/row_cache.h"
#include "ui/grid_columns.h"

namespace money {

class LedgerDatabase;

// The rows of a group grid. Unarranged, the query's rows in the query's order, read in batches as the
// view asks for more (canFetchMore/fetchMore). Sorted, grouped or filtered, every row is read first, and
// the model is a tree: group rows (one level per grouped column) holding data rows or deeper groups, each
// group optionally ending with a footer row. Read-only.
//
// A data row is known by two numbers: its row in the cache (the query's order) and its position in the
// grid's order (after filter, grouping and sort).
class GridModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  static constexpr size_t kDefaultBatchSize = 100;
  enum class RowKind { kData, kGroup, kFooter };

  explicit GridModel(QObject* parent = nullptr);
  ~GridModel() override;

  // New columns drop the sorting, grouping and filters.
  void SetColumns(std::vector<GridColumn> columns);
  const std::vector<GridColumn>& Columns() const { return columns_; }
  // Index of the column of a field (exact name); -1 when there is none.
  int ColumnOf(std::string_view field) const;
  void SetSummaries(std::vector<GridSummary> summaries);
  void SetGroupFooters(bool shown);
  void SetBatchSize(size_t rows) { batch_size_ = rows == 0 ? kDefaultBatchSize : rows; }

  // Runs the query and reads its first batch (all rows when the grid is arranged). Throws DatabaseError.
  void Open(LedgerDatabase& database, std::string select_text);
  void Close();
  bool IsOpen() const { return rows_ != nullptr; }
  // Runs the query again and reads as Open does; the arrangement stays.
  void Refresh();
  size_t LoadedRowCount() const { return rows_ ? rows_->LoadedCount() : 0; }
  void LoadAllRows();

  // Sorts by a column (-1: the query's order) within the groups; texts by the collation of the default
  // locale, numbers by value, ties in the query's order.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
  // Groups by a column at a level (0 outermost; past the end or -1: innermost); a grouped column moves.
  void GroupBy(const std::string& field, int level = -1);
  void Ungroup(const std::string& field);
  const std::vector<std::string>& GroupedFields() const { return grouped_fields_; }
  // Keeps only the rows whose text in the column is one of the values; no values: no filter on it.
  void SetFilter(const std::string& field, const std::set<std::string>& values);
  const std::map<std::string, std::set<std::string>>& Filters() const { return filters_; }
  // Every text the column shows over all rows, in the column's sort order.
  std::vector<std::string> DistinctTexts(const std::string& field);

  RowKind KindOf(const QModelIndex& index) const;
  // Data rows shown (all of them, also those inside collapsed groups).
  size_t DataRowCount() const;
  size_t RowAtPosition(size_t position) const;
  std::optional<size_t> PositionOfRow(size_t row) const;
  // The position of a data row; of a group or footer row, the position of the group's first data row.
  std::optional<size_t> PositionOf(const QModelIndex& index) const;
  QModelIndex IndexOfPosition(size_t position, int column = 0) const;
  // Every data row in the grid's order, as cache rows (reads all rows first).
  std::vector<size_t> RowsInGridOrder();
  // The first data row in grid order whose field holds the value (as Value gives it), among the rows read.
  std::optional<size_t> PositionOfValue(std::string_view field, const FieldValue& value) const;
  // The keys of a group row and of the groups around it, outermost first; empty for another row.
  std::vector<std::string> GroupPath(const QModelIndex& index) const;
  // The group row of such keys; invalid when no group has them.
  QModelIndex IndexOfGroup(const std::vector<std::string>& path) const;

  // The value of a field of a cache row: a column's (plain: as stored; calculated or look-up: its text),
  // or else the query's field; NULL when neither has it.
  FieldValue Value(size_t row, std::string_view field) const;
  // A cell as the grid shows it: numbers in the column's display format.
  std::string CellText(size_t row, int column) const;
  // The group row's text ("年月 : 2005.03  合计 = 12.5"), or "" for another row.
  std::string GroupText(const QModelIndex& index) const;
  // The parts of a group row for a printed table: "年月 : 2005.03", and the group's summaries of the
  // index's column ("合计 = 12.5"); of a footer row, its group's summaries of the column.
  std::string GroupLabel(const QModelIndex& index) const;
  std::string SummaryCellText(const QModelIndex& index) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // While held, no more rows are fetched: the tree view fetches a batch on every layout of its rows,
  // wanted or not; the grid holds fetching then and lets only scrolling and an unfilled screen fetch.
  void HoldFetching(bool held) { fetching_held_ = held; }
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  // A column's order over all rows: by number, or by the rank of its text in the collation.
  struct ColumnOrder {
    bool numeric = false;
    std::vector<double> keys;  // one per cache row
    bool Less(size_t a, size_t b) const { return keys[a] < keys[b]; }
  };

  // Every change of the list or its arrangement: a model reset; on failure the list is closed.
  template <typename Change>
  void Reset(Change change);
  // Reads rows into the cache, then shows whatever was read, also when the read failed part way.
  template <typename Read>
  void ReadMore(Read read);
  void ShowLoadedRows();
  bool Arranged() const { return sort_column_ >= 0 || !grouped_fields_.empty() || !filters_.empty(); }
  int RequireColumn(std::string_view field) const;
  void ResolveFields();
  void Rebuild();
  void Arrange();
  ColumnOrder OrderOf(int column) const;
  FieldValue ColumnValue(size_t row, int column) const;
  double ColumnNumber(size_t row, int column) const;
  const RowGroup* GroupOf(const QModelIndex& parent) const;
  size_t ChildCount(const RowGroup& group) const;
  bool HasFooter(const RowGroup& group) const { return group_footers_ && group.parent != nullptr; }
  const RowGroup& GroupAt(const QModelIndex& index) const;
  std::string SummariesOfColumn(const RowGroup& group, int column) const;

  std::vector<GridColumn> columns_;
  std::vector<int> query_field_;  // per column: the query field of a plain column, or a look-up's key
  std::vector<GridSummary> summaries_;
  std::vector<int> summary_column_;
  bool group_footers_ = false;
  size_t batch_size_ = kDefaultBatchSize;
  bool fetching_held_ = false;

  std::unique_ptr<RowCache> rows_;
  std::vector<size_t> order_;  // cache rows in grid order, when arranged
  std::unique_ptr<RowGroup> root_;
  int sort_column_ = -1;
  Qt::SortOrder sort_order_ = Qt::AscendingOrder;
  std::vector<std::string> grouped_fields_;
  std::map<std::string, std::set<std::string>> filters_;
};

}  // namespace money
