#pragma once

#include <QAbstractItemModel>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/field_value.h"
#include "ui/tree_columns.h"
#include "ui/tree_row.h"

namespace money {

class QueryDataset;

// The rows of a query as a read-only tree: a row is the child of the row whose key equals its parent
// field; a row whose parent is not loaded (or is itself) is a top-level node. Siblings keep the query's
// order until sorted. Each node holds its whole row, so fields without a column stay readable.
class TreeListModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  explicit TreeListModel(TreeColumns columns, QObject* parent = nullptr);
  ~TreeListModel() override;

  // Replaces every node with the rows of the query from its current row to its end, in one pass.
  // Throws std::invalid_argument (leaving the nodes as they were) when a named field is missing.
  void Load(QueryDataset& rows, std::string_view key_field, std::string_view parent_field);

  const TreeColumns& Columns() const { return columns_; }
  const std::vector<std::string>& FieldNames() const { return *field_names_; }
  size_t NodeCount() const { return in_query_order_.size(); }

  // The node of a key (the first loaded one if keys repeat); invalid when none has it.
  QModelIndex IndexOfKey(std::string_view key) const;
  std::string KeyOf(const QModelIndex& index) const;
  // The node of the n-th row of the query, and the reverse.
  QModelIndex IndexOfQueryRow(size_t query_row) const;
  size_t QueryRowOf(const QModelIndex& index) const;
  TreeRow RowOf(const QModelIndex& index) const;
  // The text of a cell as the tree shows it: numbers in the column's display format.
  std::string CellText(const QModelIndex& index) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Sorts the siblings of every node by a column: numbers by value, texts by the locale's collation.
  // Column -1 restores the query's order.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

 private:
  struct Node {
    std::vector<FieldValue> values;
    std::string key;
    Node* parent = nullptr;
    int row = 0;
    size_t load_order = 0;
    std::vector<std::unique_ptr<Node>> children;
  };

  const Node* NodeOf(const QModelIndex& index) const;
  QModelIndex IndexOf(const Node& node, int column) const;
  void Build(std::vector<std::unique_ptr<Node>> loaded, const std::vector<std::string>& parent_keys);

  TreeColumns columns_;
  std::vector<size_t> column_fields_;
  std::shared_ptr<const std::vector<std::string>> field_names_;
  Node root_;
  std::unordered_map<std::string, Node*> by_key_;
  std::vector<Node*> in_query_order_;
};

}  // namespace money
