#include "ui/tree_list_model.h"

#include <QCollator>
#include <QString>
#include <algorithm>
#include <utility>

#include "reports/display_format.h"
#include "storage/query_dataset.h"

namespace money {

TreeListModel::TreeListModel(TreeColumns columns, QObject* parent)
    : QAbstractItemModel(parent),
      columns_(std::move(columns)),
      field_names_(std::make_shared<const std::vector<std::string>>()) {}

TreeListModel::~TreeListModel() = default;

void TreeListModel::Load(QueryDataset& rows, std::string_view key_field, std::string_view parent_field) {
  const std::vector<std::string>& names = rows.FieldNames();
  const size_t key_index = RequireFieldIndex(names, key_field);
  const size_t parent_index = RequireFieldIndex(names, parent_field);
  std::vector<size_t> column_fields;
  for (const TreeColumn& column : columns_) column_fields.push_back(RequireFieldIndex(names, column.field));

  std::vector<std::unique_ptr<Node>> loaded;
  std::vector<std::string> parent_keys;
  for (; !rows.Eof(); rows.Next()) {
    auto node = std::make_unique<Node>();
    node->values = rows.Row();
    node->key = FieldText(node->values[key_index]);
    node->load_order = loaded.size();
    parent_keys.push_back(FieldText(node->values[parent_index]));
    loaded.push_back(std::move(node));
  }

  beginResetModel();
  field_names_ = std::make_shared<const std::vector<std::string>>(names);
  column_fields_ = std::move(column_fields);
  Build(std::move(loaded), parent_keys);
  endResetModel();
}

// Links every node to its parent through a map of keys, then moves the nodes into their parents depth
// first, so each keeps the query's order among its siblings. Nodes caught in a cycle of parent links
// (never the case for subject codes) become top-level nodes rather than getting lost.
void TreeListModel::Build(std::vector<std::unique_ptr<Node>> loaded, const std::vector<std::string>& parent_keys) {
  root_.children.clear();
  by_key_.clear();
  in_query_order_.clear();
  for (const std::unique_ptr<Node>& node : loaded) {
    by_key_.emplace(node->key, node.get());
    in_query_order_.push_back(node.get());
  }

  std::vector<std::vector<size_t>> children(loaded.size());
  std::vector<size_t> top_level;
  for (size_t i = 0; i < loaded.size(); ++i) {
    const auto parent = by_key_.find(parent_keys[i]);
    if (parent == by_key_.end() || parent->second == loaded[i].get()) {
      top_level.push_back(i);
    } else {
      children[parent->second->load_order].push_back(i);
    }
  }

  std::vector<bool> placed(loaded.size(), false);
  std::vector<std::pair<Node*, size_t>> pending;
  const auto adopt = [&](size_t first) {
    placed[first] = true;
    pending.emplace_back(&root_, first);
    while (!pending.empty()) {
      const auto [into, i] = pending.back();
      pending.pop_back();
      Node* node = loaded[i].get();
      node->parent = into;
      node->row = static_cast<int>(into->children.size());
      into->children.push_back(std::move(loaded[i]));
      for (auto child = children[i].rbegin(); child != children[i].rend(); ++child) {
        if (placed[*child]) continue;
        placed[*child] = true;
        pending.emplace_back(node, *child);
      }
    }
  };
  for (size_t i : top_level) adopt(i);
  for (size_t i = 0; i < loaded.size(); ++i) {
    if (!placed[i]) adopt(i);
  }
}

const TreeListModel::Node* TreeListModel::NodeOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<const Node*>(index.internalPointer()) : &root_;
}

QModelIndex TreeListModel::IndexOf(const Node& node, int column) const {
  return createIndex(node.row, column, const_cast<Node*>(&node));
}

QModelIndex TreeListModel::IndexOfKey(std::string_view key) const {
  const auto found = by_key_.find(std::string(key));
  return found == by_key_.end() ? QModelIndex() : IndexOf(*found->second, 0);
}

std::string TreeListModel::KeyOf(const QModelIndex& index) const { return NodeOf(index)->key; }

QModelIndex TreeListModel::IndexOfQueryRow(size_t query_row) const {
  return query_row < in_query_order_.size() ? IndexOf(*in_query_order_[query_row], 0) : QModelIndex();
}

size_t TreeListModel::QueryRowOf(const QModelIndex& index) const { return NodeOf(index)->load_order; }

TreeRow TreeListModel::RowOf(const QModelIndex& index) const { return TreeRow(field_names_, NodeOf(index)->values); }

std::string TreeListModel::CellText(const QModelIndex& index) const {
  const TreeColumn& column = columns_[static_cast<size_t>(index.column())];
  const FieldValue& value = NodeOf(index)->values[column_fields_[static_cast<size_t>(index.column())]];
  const bool number = std::holds_alternative<double>(value) || std::holds_alternative<long long>(value);
  if (column.format.empty() || !number) return FieldText(value);
  return FormatNumber(FieldNumber(value), column.format);
}

QModelIndex TreeListModel::index(int row, int column, const QModelIndex& parent) const {
  if (!hasIndex(row, column, parent)) return {};
  return IndexOf(*NodeOf(parent)->children[static_cast<size_t>(row)], column);
}

QModelIndex TreeListModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  const Node* parent = NodeOf(child)->parent;
  return parent == &root_ ? QModelIndex() : IndexOf(*parent, 0);
}

int TreeListModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return static_cast<int>(NodeOf(parent)->children.size());
}

int TreeListModel::columnCount(const QModelIndex&) const { return static_cast<int>(columns_.size()); }

QVariant TreeListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(CellText(index));
  if (role == Qt::TextAlignmentRole) return static_cast<int>(columns_[static_cast<size_t>(index.column())].alignment);
  return {};
}

QVariant TreeListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(columns_[static_cast<size_t>(section)].caption);
  if (role == Qt::InitialSortOrderRole) return Qt::AscendingOrder;
  return {};
}

Qt::ItemFlags TreeListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (NodeOf(index)->children.empty()) flags |= Qt::ItemNeverHasChildren;
  return flags;
}

namespace {

// What a cell is sorted by: empty cells first, then numbers by value, then texts by collation.
struct SortKey {
  int rank = 0;
  double number = 0;
  QString text;
};

SortKey SortKeyOf(const FieldValue& value) {
  if (std::holds_alternative<std::monostate>(value)) return {};
  if (const auto* text = std::get_if<std::string>(&value)) return {2, 0, QString::fromStdString(*text)};
  return {1, FieldNumber(value), {}};
}

}  // namespace

void TreeListModel::sort(int column, Qt::SortOrder order) {
  if (column >= columnCount()) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<std::pair<const Node*, int>> persistent;
  for (const QModelIndex& index : before) persistent.emplace_back(NodeOf(index), index.column());

  std::vector<SortKey> keys(in_query_order_.size());
  if (column >= 0) {
    const size_t field = column_fields_[static_cast<size_t>(column)];
    for (const Node* node : in_query_order_) keys[node->load_order] = SortKeyOf(node->values[field]);
  }
  QCollator collator;
  const auto less = [&](const std::unique_ptr<Node>& a, const std::unique_ptr<Node>& b) {
    if (column < 0) return a->load_order < b->load_order;
    const SortKey& x = keys[(order == Qt::AscendingOrder ? a : b)->load_order];
    const SortKey& y = keys[(order == Qt::AscendingOrder ? b : a)->load_order];
    if (x.rank != y.rank) return x.rank < y.rank;
    if (x.rank == 1) return x.number < y.number;
    return x.rank == 2 && collator.compare(x.text, y.text) < 0;
  };
  std::vector<Node*> parents{&root_};
  for (size_t i = 0; i < parents.size(); ++i) {
    std::vector<std::unique_ptr<Node>>& children = parents[i]->children;
    std::stable_sort(children.begin(), children.end(), less);
    for (size_t row = 0; row < children.size(); ++row) {
      children[row]->row = static_cast<int>(row);
      parents.push_back(children[row].get());
    }
  }

  QModelIndexList after;
  for (const auto& [node, index_column] : persistent) after.append(IndexOf(*node, index_column));
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace money
