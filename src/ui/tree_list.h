#pragma once

#include <QTreeView>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/tree_text_export.h"
#include "storage/query_dataset.h"
#include "ui/print_table.h"
#include "ui/record_list.h"
#include "ui/tree_columns.h"
#include "ui/tree_row.h"

namespace money {

class TreeListModel;

// A read-only tree over all rows of a query: a row is the child of the row whose key field equals its
// parent field, and rows whose parent is not loaded are top-level nodes. Whole rows are focused; the
// focused node is the current row. Clicking a header sorts the siblings by that column (again: the
// other way round). expandAll() comes from QTreeView. A node that hides the focused node when it
// collapses takes the focus, so the current row is always one on display. As a record list it moves the
// focus through the rows in the query's order, as a cursor over the query would.
class TreeList : public QTreeView, public RecordList {
  Q_OBJECT

 public:
  explicit TreeList(TreeColumns columns, QWidget* parent = nullptr);
  ~TreeList() override;

  // Reads every row of the query and focuses the first node; the tree keeps the query (and needs its
  // ledger open) for Refresh. Throws std::invalid_argument when the query lacks the key, the parent or
  // a column's field, leaving the tree as it was.
  void Open(QueryDataset rows, std::string key_field, std::string parent_field);
  // Runs the query again (a DatabaseError passes through); the nodes that were expanded stay expanded,
  // the sort stays, and the focus stays on the same key, or goes to its nearest ancestor still there,
  // or else to the first node.
  void Refresh() override;
  void First() override;
  void Prior() override;
  void Next() override;
  void Last() override;

  std::optional<TreeRow> CurrentRow() const;
  // A field of the current row as text; "" when the tree has no nodes. Throws std::invalid_argument
  // for a field the query does not have.
  std::string CurrentText(std::string_view field) const;
  // Focuses the node of the key, expanding its ancestors; false when no loaded row has the key.
  bool FocusKey(std::string_view key);
  // The loaded row of a key, whether or not it is on display.
  std::optional<TreeRow> FindRow(std::string_view key) const;
  size_t RowCount() const;
  // Collapses every node; the focus goes to the top-level node it was under.
  void CollapseAll();

  // The tree as it is displayed now, for the text export and for the print preview.
  DisplayedTree DisplayedText() const;
  PrintTable DisplayedTable() const;

  const TreeListModel& Model() const { return *model_; }

 signals:
  // The focus moved to another node, or the rows were read again.
  void CurrentRowChanged();
  // A node was double-clicked (it is the current row by then).
  void RowDoubleClicked();

 private:
  struct DisplayedNode {
    QModelIndex index;
    int level = 0;
  };
  // Reads the rows with the focus signal held back, then expands the given keys and focuses the first
  // of the focus keys still loaded (or the first node); emits CurrentRowChanged once.
  void Load(QueryDataset& rows, std::string_view key_field, std::string_view parent_field,
            const std::vector<std::string>& expanded, const std::vector<std::string>& focus_keys);
  std::vector<DisplayedNode> DisplayedNodes() const;
  std::vector<int> VisibleColumns() const;
  void FocusFirstOf(const std::vector<std::string>& keys);
  void FocusIndex(const QModelIndex& index);
  // The collapsed node takes the focus when the focused node was below it.
  void FocusCollapsedAncestor(const QModelIndex& collapsed);
  // The query row of the focused node; the row count when there is none.
  size_t CurrentQueryRow() const;

  TreeListModel* model_;
  std::optional<QueryDataset> rows_;
  std::string key_field_;
  std::string parent_field_;
  bool loading_ = false;
};

}  // namespace money
