#include "ui/tree_list.h"

#include <QHeaderView>

#include "ui/tree_list_model.h"

namespace money {

TreeList::TreeList(TreeColumns columns, QWidget* parent)
    : QTreeView(parent), model_(new TreeListModel(std::move(columns), this)) {
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAllColumnsShowFocus(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(false);
  setUniformRowHeights(true);
  header()->setStretchLastSection(false);
  for (int c = 0; c < model_->columnCount(); ++c) setColumnWidth(c, model_->Columns()[static_cast<size_t>(c)].width);
  // No sort until a header is clicked: the rows keep the query's order.
  header()->setSortIndicator(-1, Qt::AscendingOrder);
  setSortingEnabled(true);

  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
    if (!loading_) emit CurrentRowChanged();
  });
  connect(this, &QAbstractItemView::doubleClicked, this, [this] { emit RowDoubleClicked(); });
  connect(this, &QTreeView::collapsed, this, &TreeList::FocusCollapsedAncestor);
}

TreeList::~TreeList() = default;

void TreeList::Open(QueryDataset rows, std::string key_field, std::string parent_field) {
  Load(rows, key_field, parent_field, {}, {});
  rows_.emplace(std::move(rows));
  key_field_ = std::move(key_field);
  parent_field_ = std::move(parent_field);
}

void TreeList::Refresh() {
  if (!rows_) return;
  std::vector<std::string> focus_keys;
  for (QModelIndex index = currentIndex(); index.isValid(); index = index.parent()) {
    focus_keys.push_back(model_->KeyOf(index));
  }
  std::vector<std::string> expanded;
  for (size_t row = 0; row < model_->NodeCount(); ++row) {
    const QModelIndex index = model_->IndexOfQueryRow(row);
    if (isExpanded(index)) expanded.push_back(model_->KeyOf(index));
  }
  rows_->Refresh();
  Load(*rows_, key_field_, parent_field_, expanded, focus_keys);
}

void TreeList::Load(QueryDataset& rows, std::string_view key_field, std::string_view parent_field,
                    const std::vector<std::string>& expanded, const std::vector<std::string>& focus_keys) {
  loading_ = true;
  try {
    model_->Load(rows, key_field, parent_field);
  } catch (...) {
    loading_ = false;
    throw;
  }
  model_->sort(header()->sortIndicatorSection(), header()->sortIndicatorOrder());
  for (const std::string& key : expanded) setExpanded(model_->IndexOfKey(key), true);
  FocusFirstOf(focus_keys);
  loading_ = false;
  emit CurrentRowChanged();
}

void TreeList::FocusFirstOf(const std::vector<std::string>& keys) {
  for (const std::string& key : keys) {
    if (FocusKey(key)) return;
  }
  if (model_->rowCount() > 0) {
    FocusIndex(model_->index(0, 0));
  } else {
    setCurrentIndex({});
  }
}

bool TreeList::FocusKey(std::string_view key) {
  const QModelIndex index = model_->IndexOfKey(key);
  if (!index.isValid()) return false;
  FocusIndex(index);
  return true;
}

void TreeList::CollapseAll() {
  QModelIndex top = currentIndex();
  while (top.parent().isValid()) top = top.parent();
  collapseAll();
  if (top.isValid() && top != currentIndex()) setCurrentIndex(top);
}

void TreeList::FocusCollapsedAncestor(const QModelIndex& collapsed) {
  for (QModelIndex above = currentIndex().parent(); above.isValid(); above = above.parent()) {
    if (above == collapsed) {
      setCurrentIndex(collapsed);
      return;
    }
  }
}

void TreeList::FocusIndex(const QModelIndex& index) {
  for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) expand(parent);
  // Scroll first: a handler of the focus change may refresh the tree, which invalidates `index`.
  scrollTo(index);
  setCurrentIndex(index);
}

size_t TreeList::CurrentQueryRow() const {
  const QModelIndex index = currentIndex();
  return index.isValid() ? model_->QueryRowOf(index) : model_->NodeCount();
}

void TreeList::First() {
  if (model_->NodeCount() > 0) FocusIndex(model_->IndexOfQueryRow(0));
}

void TreeList::Prior() {
  const size_t row = CurrentQueryRow();
  if (row > 0 && row < model_->NodeCount()) FocusIndex(model_->IndexOfQueryRow(row - 1));
}

void TreeList::Next() {
  const size_t row = CurrentQueryRow();
  if (row + 1 < model_->NodeCount()) FocusIndex(model_->IndexOfQueryRow(row + 1));
}

void TreeList::Last() {
  if (model_->NodeCount() > 0) FocusIndex(model_->IndexOfQueryRow(model_->NodeCount() - 1));
}

std::optional<TreeRow> TreeList::CurrentRow() const {
  const QModelIndex index = currentIndex();
  if (!index.isValid()) return std::nullopt;
  return model_->RowOf(index);
}

std::string TreeList::CurrentText(std::string_view field) const {
  RequireFieldIndex(model_->FieldNames(), field);
  const std::optional<TreeRow> row = CurrentRow();
  return row ? row->Text(field) : std::string();
}

std::optional<TreeRow> TreeList::FindRow(std::string_view key) const {
  const QModelIndex index = model_->IndexOfKey(key);
  if (!index.isValid()) return std::nullopt;
  return model_->RowOf(index);
}

size_t TreeList::RowCount() const { return model_->NodeCount(); }

std::vector<TreeList::DisplayedNode> TreeList::DisplayedNodes() const {
  std::vector<DisplayedNode> nodes;
  std::vector<DisplayedNode> pending;
  for (int row = model_->rowCount() - 1; row >= 0; --row) pending.push_back({model_->index(row, 0), 0});
  while (!pending.empty()) {
    const DisplayedNode node = pending.back();
    pending.pop_back();
    nodes.push_back(node);
    if (!isExpanded(node.index)) continue;
    for (int row = model_->rowCount(node.index) - 1; row >= 0; --row) {
      pending.push_back({model_->index(row, 0, node.index), node.level + 1});
    }
  }
  return nodes;
}

std::vector<int> TreeList::VisibleColumns() const {
  std::vector<int> columns;
  for (int visual = 0; visual < header()->count(); ++visual) {
    const int logical = header()->logicalIndex(visual);
    if (!header()->isSectionHidden(logical)) columns.push_back(logical);
  }
  return columns;
}

DisplayedTree TreeList::DisplayedText() const {
  const std::vector<int> columns = VisibleColumns();
  DisplayedTree tree;
  for (int column : columns) tree.captions.push_back(model_->Columns()[static_cast<size_t>(column)].caption);
  for (const DisplayedNode& node : DisplayedNodes()) {
    std::vector<std::string>& cells = tree.rows.emplace_back();
    for (int column : columns) cells.push_back(model_->CellText(node.index.siblingAtColumn(column)));
  }
  return tree;
}

PrintTable TreeList::DisplayedTable() const {
  const std::vector<int> columns = VisibleColumns();
  PrintTable table;
  table.tree_lines = true;
  for (int column : columns) {
    const TreeColumn& shown = model_->Columns()[static_cast<size_t>(column)];
    table.columns.push_back({QString::fromStdString(shown.caption), columnWidth(column), shown.alignment});
  }
  for (const DisplayedNode& node : DisplayedNodes()) {
    PrintRow& row = table.rows.emplace_back();
    for (int column : columns)
      row.cells.append(QString::fromStdString(model_->CellText(node.index.siblingAtColumn(column))));
    row.level = node.level;
    row.has_children = model_->rowCount(node.index) > 0;
    row.expanded = isExpanded(node.index);
  }
  return table;
}

}  // namespace money
