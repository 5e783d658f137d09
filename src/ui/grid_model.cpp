#include "ui/grid_model.h"

#include <QBrush>
#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <unordered_map>

#include "reports/display_format.h"
#include "reports/group_text.h"
#include "storage/query_dataset.h"
#include "storage/row_view.h"

namespace money {

GridModel::GridModel(QObject* parent) : QAbstractItemModel(parent) {}

GridModel::~GridModel() = default;

template <typename Change>
void GridModel::Reset(Change change) {
  beginResetModel();
  try {
    change();
    if (rows_) Rebuild();
  } catch (...) {
    // A list that could not be read (or arranged) is let go rather than shown half-built.
    rows_.reset();
    root_.reset();
    order_.clear();
    endResetModel();
    throw;
  }
  endResetModel();
}

void GridModel::SetColumns(std::vector<GridColumn> columns) {
  Reset([&] {
    columns_ = std::move(columns);
    sort_column_ = -1;
    grouped_fields_.clear();
    filters_.clear();
    ResolveFields();
  });
}

void GridModel::SetSummaries(std::vector<GridSummary> summaries) {
  Reset([&] {
    summaries_ = std::move(summaries);
    ResolveFields();
  });
}

void GridModel::SetGroupFooters(bool shown) {
  beginResetModel();
  group_footers_ = shown;
  endResetModel();
}

int GridModel::ColumnOf(std::string_view field) const {
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i].field == field) return static_cast<int>(i);
  }
  return -1;
}

int GridModel::RequireColumn(std::string_view field) const {
  const int column = ColumnOf(field);
  if (column < 0) throw std::invalid_argument("the grid has no column " + std::string(field));
  return column;
}

void GridModel::ResolveFields() {
  query_field_.assign(columns_.size(), -1);
  if (rows_) {
    for (size_t i = 0; i < columns_.size(); ++i) {
      const GridColumn& column = columns_[i];
      if (column.kind == ColumnKind::kPlain) query_field_[i] = rows_->FieldIndex(column.field);
      if (column.kind == ColumnKind::kLookup) query_field_[i] = rows_->FieldIndex(column.key_field);
    }
  }
  summary_column_.clear();
  for (const GridSummary& summary : summaries_) summary_column_.push_back(ColumnOf(summary.field));
}

void GridModel::Open(LedgerDatabase& database, std::string select_text) {
  Reset([&] {
    rows_.reset();  // the old cursor goes before the new one reads
    rows_ = std::make_unique<RowCache>(database, std::move(select_text), batch_size_);
    ResolveFields();
  });
}

void GridModel::Close() {
  beginResetModel();
  rows_.reset();
  root_.reset();
  order_.clear();
  endResetModel();
}

void GridModel::Refresh() {
  if (rows_) Reset([&] { rows_->Refresh(); });
}

void GridModel::Rebuild() {
  if (Arranged()) {
    rows_->LoadAll();
    Arrange();
    return;
  }
  order_.clear();
  if (rows_->LoadedCount() == 0) rows_->FetchMore();
  root_ = std::make_unique<RowGroup>();
  root_->end = rows_->LoadedCount();
}

void GridModel::LoadAllRows() {
  if (rows_ && !rows_->AllLoaded()) ReadMore([this] { rows_->LoadAll(); });
}

template <typename Read>
void GridModel::ReadMore(Read read) {
  try {
    read();
  } catch (...) {
    ShowLoadedRows();
    throw;
  }
  ShowLoadedRows();
}

void GridModel::ShowLoadedRows() {
  const size_t shown = root_->end;
  const size_t loaded = rows_->LoadedCount();
  if (loaded == shown) return;
  beginInsertRows({}, static_cast<int>(shown), static_cast<int>(loaded - 1));
  root_->end = loaded;
  endInsertRows();
}

void GridModel::sort(int column, Qt::SortOrder order) {
  Reset([&] {
    sort_column_ = column < static_cast<int>(columns_.size()) ? column : -1;
    sort_order_ = order;
  });
}

void GridModel::GroupBy(const std::string& field, int level) {
  RequireColumn(field);
  Reset([&] {
    std::erase(grouped_fields_, field);
    const size_t at = level < 0 ? grouped_fields_.size() : std::min(static_cast<size_t>(level), grouped_fields_.size());
    grouped_fields_.insert(grouped_fields_.begin() + static_cast<std::ptrdiff_t>(at), field);
  });
}

void GridModel::Ungroup(const std::string& field) {
  if (std::find(grouped_fields_.begin(), grouped_fields_.end(), field) == grouped_fields_.end()) return;
  Reset([&] { std::erase(grouped_fields_, field); });
}

void GridModel::SetFilter(const std::string& field, const std::set<std::string>& values) {
  RequireColumn(field);
  Reset([&] {
    if (values.empty()) {
      filters_.erase(field);
    } else {
      filters_[field] = values;
    }
  });
}

std::vector<std::string> GridModel::DistinctTexts(const std::string& field) {
  const int column = RequireColumn(field);
  if (!rows_) return {};
  LoadAllRows();
  const ColumnOrder order = OrderOf(column);
  std::unordered_map<std::string, size_t> first_row;
  for (size_t row = 0; row < rows_->LoadedCount(); ++row) first_row.try_emplace(CellText(row, column), row);
  std::vector<std::pair<size_t, std::string>> distinct;
  for (auto& [text, row] : first_row) distinct.emplace_back(row, text);
  std::sort(distinct.begin(), distinct.end(), [&](const auto& a, const auto& b) {
    return order.Less(a.first, b.first) || (!order.Less(b.first, a.first) && a.second < b.second);
  });
  std::vector<std::string> texts;
  for (auto& entry : distinct) texts.push_back(std::move(entry.second));
  return texts;
}

GridModel::ColumnOrder GridModel::OrderOf(int column) const {
  ColumnOrder order;
  const size_t count = rows_->LoadedCount();
  const GridColumn& definition = columns_[static_cast<size_t>(column)];
  const int field = query_field_[static_cast<size_t>(column)];
  order.numeric = definition.kind == ColumnKind::kPlain && field >= 0;
  for (size_t row = 0; order.numeric && row < count; ++row) {
    order.numeric = rows_->IsNumber(row, field) || std::holds_alternative<std::monostate>(rows_->Value(row, field));
  }
  order.keys.resize(count);
  if (order.numeric) {
    for (size_t row = 0; row < count; ++row) {
      order.keys[row] = rows_->IsNumber(row, field) ? rows_->Number(row, field)
                                                    : -std::numeric_limits<double>::infinity();
    }
    return order;
  }
  // Texts: rank the distinct texts once by the collation (equal under it: by their bytes), then each row.
  std::unordered_map<std::string, size_t> distinct;
  std::vector<size_t> text_of_row(count);
  std::vector<std::string> texts;
  for (size_t row = 0; row < count; ++row) {
    std::string text = CellText(row, column);
    const auto [found, added] = distinct.try_emplace(text, texts.size());
    if (added) texts.push_back(std::move(text));
    text_of_row[row] = found->second;
  }
  QCollator collator{QLocale()};
  std::vector<QString> shown;
  shown.reserve(texts.size());
  for (const std::string& text : texts) shown.push_back(QString::fromStdString(text));
  std::vector<size_t> ranked(texts.size());
  std::iota(ranked.begin(), ranked.end(), size_t{0});
  std::sort(ranked.begin(), ranked.end(), [&](size_t a, size_t b) {
    const int compared = collator.compare(shown[a], shown[b]);
    return compared != 0 ? compared < 0 : texts[a] < texts[b];
  });
  std::vector<double> rank(texts.size());
  for (size_t i = 0; i < ranked.size(); ++i) rank[ranked[i]] = static_cast<double>(i);
  for (size_t row = 0; row < count; ++row) order.keys[row] = rank[text_of_row[row]];
  return order;
}

void GridModel::Arrange() {
  const size_t count = rows_->LoadedCount();
  order_.clear();
  order_.reserve(count);
  std::vector<std::pair<int, const std::set<std::string>*>> filters;
  for (const auto& [field, values] : filters_) filters.emplace_back(RequireColumn(field), &values);
  for (size_t row = 0; row < count; ++row) {
    const bool kept = std::all_of(filters.begin(), filters.end(), [&](const auto& filter) {
      return filter.second->count(CellText(row, filter.first)) > 0;
    });
    if (kept) order_.push_back(row);
  }

  std::vector<int> group_columns;
  std::vector<ColumnOrder> group_orders;
  for (const std::string& field : grouped_fields_) {
    group_columns.push_back(RequireColumn(field));
    group_orders.push_back(OrderOf(group_columns.back()));
  }
  if (!group_orders.empty() || sort_column_ >= 0) {
    const ColumnOrder sort_order = sort_column_ >= 0 ? OrderOf(sort_column_) : ColumnOrder{};
    const bool descending = sort_order_ == Qt::DescendingOrder;
    std::stable_sort(order_.begin(), order_.end(), [&](size_t a, size_t b) {
      for (const ColumnOrder& group_order : group_orders) {
        if (group_order.Less(a, b)) return true;
        if (group_order.Less(b, a)) return false;
      }
      if (sort_column_ < 0) return false;
      return descending ? sort_order.Less(b, a) : sort_order.Less(a, b);
    });
  }

  std::vector<SummaryKind> kinds;
  for (const GridSummary& summary : summaries_) kinds.push_back(summary.kind);
  root_ = GroupOrderedRows(
      order_.size(), group_columns.size(),
      [&](size_t position, size_t level) { return CellText(order_[position], group_columns[level]); }, kinds,
      [&](size_t position, size_t summary) { return ColumnNumber(order_[position], summary_column_[summary]); });
}

double GridModel::ColumnNumber(size_t row, int column) const {
  return column < 0 ? 0 : FieldNumber(ColumnValue(row, column));
}

size_t GridModel::DataRowCount() const {
  if (!root_) return 0;
  return Arranged() ? order_.size() : root_->end;
}

size_t GridModel::RowAtPosition(size_t position) const { return Arranged() ? order_.at(position) : position; }

std::optional<size_t> GridModel::PositionOfRow(size_t row) const {
  if (!Arranged()) return row < DataRowCount() ? std::optional<size_t>(row) : std::nullopt;
  const auto found = std::find(order_.begin(), order_.end(), row);
  if (found == order_.end()) return std::nullopt;
  return static_cast<size_t>(found - order_.begin());
}

std::vector<size_t> GridModel::RowsInGridOrder() {
  LoadAllRows();
  if (Arranged()) return order_;
  std::vector<size_t> rows(DataRowCount());
  std::iota(rows.begin(), rows.end(), size_t{0});
  return rows;
}

std::optional<size_t> GridModel::PositionOfValue(std::string_view field, const FieldValue& value) const {
  if (!rows_) return std::nullopt;
  // The field is resolved once, not for each row searched.
  const int column = ColumnOf(field);
  const int query_field = column < 0 ? rows_->FieldIndex(field) : -1;
  if (column < 0 && query_field < 0) return std::nullopt;
  for (size_t position = 0; position < DataRowCount(); ++position) {
    const size_t row = RowAtPosition(position);
    if ((column >= 0 ? ColumnValue(row, column) : rows_->Value(row, query_field)) == value) return position;
  }
  return std::nullopt;
}

std::vector<std::string> GridModel::GroupPath(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this || KindOf(index) != RowKind::kGroup) return {};
  std::vector<std::string> path;
  for (const RowGroup* group = &GroupAt(index); group->parent != nullptr; group = group->parent) {
    path.push_back(group->key);
  }
  std::reverse(path.begin(), path.end());
  return path;
}

QModelIndex GridModel::IndexOfGroup(const std::vector<std::string>& path) const {
  if (!root_ || path.empty()) return {};
  const RowGroup* group = root_.get();
  for (const std::string& key : path) {
    const auto found = std::find_if(group->subgroups.begin(), group->subgroups.end(),
                                    [&](const auto& subgroup) { return subgroup->key == key; });
    if (found == group->subgroups.end()) return {};
    group = found->get();
  }
  return createIndex(static_cast<int>(group->position), 0, group->parent);
}

FieldValue GridModel::Value(size_t row, std::string_view field) const {
  if (!rows_) return {};
  const int column = ColumnOf(field);
  if (column < 0) return RowView(*rows_, row).Value(field);
  return ColumnValue(row, column);
}

FieldValue GridModel::ColumnValue(size_t row, int column) const {
  const GridColumn& definition = columns_.at(static_cast<size_t>(column));
  const int query_field = query_field_[static_cast<size_t>(column)];
  switch (definition.kind) {
    case ColumnKind::kPlain:
      return query_field < 0 ? FieldValue{} : rows_->Value(row, query_field);
    case ColumnKind::kCalculated:
      return definition.calculate ? definition.calculate(RowView(*rows_, row)) : std::string();
    case ColumnKind::kLookup:
      if (!definition.lookup || query_field < 0) return std::string();
      return definition.lookup->Text(rows_->Text(row, query_field), definition.lookup_field);
  }
  return {};
}

std::string GridModel::CellText(size_t row, int column) const {
  const GridColumn& definition = columns_.at(static_cast<size_t>(column));
  const FieldValue value = ColumnValue(row, column);
  const bool number = std::holds_alternative<long long>(value) || std::holds_alternative<double>(value);
  if (number && !definition.format.empty()) return FormatNumber(FieldNumber(value), definition.format);
  return FieldText(value);
}

const RowGroup* GridModel::GroupOf(const QModelIndex& parent) const {
  if (!parent.isValid()) return root_.get();
  return &GroupAt(parent);
}

size_t GridModel::ChildCount(const RowGroup& group) const {
  const size_t children = group.subgroups.empty() ? group.end - group.begin : group.subgroups.size();
  return children + (HasFooter(group) ? 1 : 0);
}

GridModel::RowKind GridModel::KindOf(const QModelIndex& index) const {
  const auto* container = static_cast<const RowGroup*>(index.internalPointer());
  const auto row = static_cast<size_t>(index.row());
  if (!container->subgroups.empty()) return row < container->subgroups.size() ? RowKind::kGroup : RowKind::kFooter;
  return row < container->end - container->begin ? RowKind::kData : RowKind::kFooter;
}

std::optional<size_t> GridModel::PositionOf(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return std::nullopt;
  const auto* container = static_cast<const RowGroup*>(index.internalPointer());
  switch (KindOf(index)) {
    case RowKind::kData:
      return container->begin + static_cast<size_t>(index.row());
    case RowKind::kGroup:
      return container->subgroups[static_cast<size_t>(index.row())]->begin;
    case RowKind::kFooter:
      break;
  }
  return container->begin;
}

QModelIndex GridModel::IndexOfPosition(size_t position, int column) const {
  if (!root_ || position >= DataRowCount()) return {};
  const RowGroup& leaf = root_->LeafOf(position);
  return createIndex(static_cast<int>(position - leaf.begin), column, const_cast<RowGroup*>(&leaf));
}

const RowGroup& GridModel::GroupAt(const QModelIndex& index) const {
  const auto* container = static_cast<const RowGroup*>(index.internalPointer());
  return *container->subgroups.at(static_cast<size_t>(index.row()));
}

std::string GridModel::GroupLabel(const QModelIndex& index) const {
  if (!index.isValid() || KindOf(index) != RowKind::kGroup) return {};
  const RowGroup& group = GroupAt(index);
  const GridColumn& grouped = columns_[static_cast<size_t>(RequireColumn(grouped_fields_.at(group.Depth() - 1)))];
  return GroupRowText(grouped.caption, group.key, "");
}

std::string GridModel::GroupText(const QModelIndex& index) const {
  if (!index.isValid() || KindOf(index) != RowKind::kGroup) return {};
  const RowGroup& group = GroupAt(index);
  const GridColumn& grouped = columns_[static_cast<size_t>(RequireColumn(grouped_fields_.at(group.Depth() - 1)))];
  std::vector<std::string> formats;
  for (const GridSummary& summary : summaries_) formats.push_back(summary.format);
  return GroupRowText(grouped.caption, group.key, SummaryText(group.totals, formats));
}

std::string GridModel::SummaryCellText(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  switch (KindOf(index)) {
    case RowKind::kGroup:
      return SummariesOfColumn(GroupAt(index), index.column());
    case RowKind::kFooter:
      return SummariesOfColumn(*static_cast<const RowGroup*>(index.internalPointer()), index.column());
    case RowKind::kData:
      break;
  }
  return {};
}

std::string GridModel::SummariesOfColumn(const RowGroup& group, int column) const {
  std::vector<double> totals;
  std::vector<std::string> formats;
  for (size_t s = 0; s < summaries_.size(); ++s) {
    if (summary_column_[s] != column) continue;
    totals.push_back(group.totals[s]);
    formats.push_back(summaries_[s].format);
  }
  return SummaryText(totals, formats);
}

QModelIndex GridModel::index(int row, int column, const QModelIndex& parent) const {
  if (!hasIndex(row, column, parent)) return {};
  return createIndex(row, column, const_cast<RowGroup*>(GroupOf(parent)));
}

QModelIndex GridModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  const auto* container = static_cast<const RowGroup*>(child.internalPointer());
  if (container->parent == nullptr) return {};
  return createIndex(static_cast<int>(container->position), 0, container->parent);
}

int GridModel::rowCount(const QModelIndex& parent) const {
  if (!root_ || parent.column() > 0) return 0;
  if (parent.isValid() && KindOf(parent) != RowKind::kGroup) return 0;
  return static_cast<int>(ChildCount(*GroupOf(parent)));
}

int GridModel::columnCount(const QModelIndex&) const { return static_cast<int>(columns_.size()); }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto column = static_cast<size_t>(index.column());
  const RowKind kind = KindOf(index);
  if (role == Qt::TextAlignmentRole) {
    bool right = columns_[column].alignment == CellAlignment::kRight;
    if (columns_[column].alignment == CellAlignment::kAuto && kind != RowKind::kGroup) {
      right = kind == RowKind::kFooter || !columns_[column].format.empty();
      if (kind == RowKind::kData) {
        const FieldValue value = ColumnValue(RowAtPosition(*PositionOf(index)), index.column());
        right = right || std::holds_alternative<long long>(value) || std::holds_alternative<double>(value);
      }
    }
    return QVariant::fromValue(Qt::Alignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
  }
  if (role == Qt::BackgroundRole && kind == RowKind::kFooter) return QBrush(QColor(232, 232, 232));
  if (role != Qt::DisplayRole) return {};
  const auto* container = static_cast<const RowGroup*>(index.internalPointer());
  switch (kind) {
    case RowKind::kData:
      return QString::fromStdString(CellText(RowAtPosition(*PositionOf(index)), index.column()));
    case RowKind::kGroup:
      return column == 0 ? QString::fromStdString(GroupText(index)) : QString();
    case RowKind::kFooter:
      return QString::fromStdString(SummariesOfColumn(*container, index.column()));
  }
  return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || static_cast<size_t>(section) >= columns_.size()) {
    return QAbstractItemModel::headerData(section, orientation, role);
  }
  if (role == Qt::InitialSortOrderRole) return Qt::AscendingOrder;
  if (role != Qt::DisplayRole) return QAbstractItemModel::headerData(section, orientation, role);
  return QString::fromStdString(columns_[static_cast<size_t>(section)].caption);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (KindOf(index) != RowKind::kGroup) flags |= Qt::ItemNeverHasChildren;
  return flags;
}

bool GridModel::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && !fetching_held_ && rows_ && !Arranged() && !rows_->AllLoaded();
}

void GridModel::fetchMore(const QModelIndex& parent) {
  if (canFetchMore(parent)) ReadMore([this] { rows_->FetchMore(); });
}

}  // namespace money
