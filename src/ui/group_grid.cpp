#include "ui/group_grid.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

#include "storage/query_dataset.h"
#include "ui/grid_expansion.h"
#include "ui/grid_filter_list.h"
#include "ui/grid_footer.h"
#include "ui/grid_header.h"
#include "ui/grid_indicator.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/group_panel.h"

namespace money {

GroupGrid::GroupGrid(QWidget* parent)
    : QWidget(parent),
      model_(new GridModel(this)),
      view_(new GridView(this, this)),
      header_(new GridHeader(this, view_)),
      panel_(new GroupPanel(this, this)),
      indicator_(new GridIndicator(view_, this)),
      footer_(new GridFooter(view_, this)) {
  // The tree view's own defaults for its header (first column fixed, no sort indicator) do not suit a grid.
  view_->setHeader(header_);
  header_->setFirstSectionMovable(true);
  header_->setSectionsClickable(true);
  header_->setSortIndicatorShown(true);
  view_->setModel(model_);
  footer_->hide();

  auto* body = new QGridLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(indicator_, 0, 0);
  body->addWidget(view_, 0, 1);
  body->addWidget(footer_, 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(panel_);
  layout->addLayout(body);

  connect(header_, &QHeaderView::sortIndicatorChanged, this, [this](int column, Qt::SortOrder order) {
    Rearrange([&] { model_->sort(column, order); });
  });
  connect(header_, &GridHeader::FilterRequested, this, [this](int column) {
    ShowFilterList(model_->Columns().at(static_cast<size_t>(column)).field);
  });
  connect(header_, &GridHeader::ColumnDroppedBack, this, [this](const QString& field) { Ungroup(field.toStdString()); });
  connect(view_, &GridView::ColumnDroppedBack, this, [this](const QString& field) { Ungroup(field.toStdString()); });
  connect(panel_, &GroupPanel::GroupRequested, this,
          [this](const QString& field, int level) { GroupBy(field.toStdString(), level); });
  connect(header_, &QHeaderView::sectionMoved, this, [this] {
    view_->UpdateTreePosition();
    footer_->update();
  });

  const auto repaint_indicator = [this] { indicator_->update(); };
  connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, indicator_, repaint_indicator);
  connect(view_, &QTreeView::expanded, indicator_, repaint_indicator);
  connect(view_, &QTreeView::collapsed, indicator_, repaint_indicator);
  connect(model_, &QAbstractItemModel::rowsInserted, indicator_, repaint_indicator);
  connect(model_, &QAbstractItemModel::modelReset, indicator_, repaint_indicator);
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
    indicator_->update();
    emit CurrentRowChanged();
  });
  view_->viewport()->installEventFilter(this);
}

GroupGrid::~GroupGrid() = default;

void GroupGrid::SetColumns(std::vector<GridColumn> columns) {
  header_->setSortIndicator(-1, Qt::AscendingOrder);
  model_->SetColumns(std::move(columns));
  ApplyColumns();
  SyncArrangement();
}

void GroupGrid::SetSummaries(std::vector<GridSummary> summaries) { model_->SetSummaries(std::move(summaries)); }

void GroupGrid::SetGroupFooters(bool shown) { model_->SetGroupFooters(shown); }

void GroupGrid::SetValueFilterOffered(bool offered) { header_->SetFilterButtons(offered); }

void GroupGrid::SetBatchSize(size_t rows) { model_->SetBatchSize(rows); }

void GroupGrid::SetKeyField(std::string field) { key_field_ = std::move(field); }

void GroupGrid::ApplyColumns() {
  const std::vector<GridColumn>& columns = model_->Columns();
  for (size_t i = 0; i < columns.size(); ++i) {
    const int logical = static_cast<int>(i);
    header_->moveSection(header_->visualIndex(logical), logical);
    header_->resizeSection(logical, columns[i].width > 0 ? columns[i].width : header_->defaultSectionSize());
  }
}

void GroupGrid::Open(LedgerDatabase& database, std::string select_text) {
  model_->Open(database, std::move(select_text));
  SyncArrangement();
  FocusFirstRow();
}

void GroupGrid::Close() { model_->Close(); }

template <typename Change>
void GroupGrid::Rearrange(Change change) {
  const std::optional<size_t> position = CurrentPosition();
  const std::optional<size_t> row =
      position ? std::optional<size_t>(model_->RowAtPosition(*position)) : std::nullopt;
  try {
    change();
  } catch (...) {
    SyncArrangement();
    throw;
  }
  SyncArrangement();
  const std::optional<size_t> kept = row ? model_->PositionOfRow(*row) : std::nullopt;
  if (kept) {
    SetCurrentPosition(*kept);
  } else {
    FocusFirstRow();
  }
}

void GroupGrid::SyncArrangement() {
  const std::vector<GridColumn>& columns = model_->Columns();
  const std::vector<std::string>& grouped = model_->GroupedFields();
  std::vector<GroupPanel::Group> groups;
  for (const std::string& field : grouped) {
    groups.push_back({field, QString::fromStdString(columns[static_cast<size_t>(model_->ColumnOf(field))].caption)});
  }
  panel_->SetGroups(std::move(groups));
  for (size_t i = 0; i < columns.size(); ++i) {
    const bool is_grouped = std::find(grouped.begin(), grouped.end(), columns[i].field) != grouped.end();
    header_->setSectionHidden(static_cast<int>(i), !columns[i].visible || is_grouped);
  }
  std::set<int> filtered;
  for (const auto& filter : model_->Filters()) filtered.insert(model_->ColumnOf(filter.first));
  header_->SetFilteredSections(std::move(filtered));
  view_->setRootIsDecorated(!grouped.empty());
  view_->UpdateTreePosition();
  indicator_->update();
  footer_->update();
}

void GroupGrid::SortBy(const std::string& field, Qt::SortOrder order) {
  const int column = model_->ColumnOf(field);
  if (column < 0) throw std::invalid_argument("the grid has no column " + field);
  header_->setSortIndicator(column, order);
}

void GroupGrid::ClearSort() { header_->setSortIndicator(-1, Qt::AscendingOrder); }

void GroupGrid::GroupBy(const std::string& field, int level) {
  Rearrange([&] { model_->GroupBy(field, level); });
}

void GroupGrid::Ungroup(const std::string& field) {
  Rearrange([&] { model_->Ungroup(field); });
}

const std::vector<std::string>& GroupGrid::GroupedFields() const { return model_->GroupedFields(); }

void GroupGrid::SetFilter(const std::string& field, const std::set<std::string>& values) {
  Rearrange([&] { model_->SetFilter(field, values); });
}

GridFilterList* GroupGrid::ShowFilterList(const std::string& field) {
  const int column = model_->ColumnOf(field);
  if (column < 0) throw std::invalid_argument("the grid has no column " + field);
  auto* list = new GridFilterList(model_->DistinctTexts(field), this);
  connect(list, &GridFilterList::Chosen, this, [this, field](const std::optional<std::string>& value) {
    SetFilter(field, value ? std::set<std::string>{*value} : std::set<std::string>{});
  });
  const QPoint below = header_->mapToGlobal(QPoint(header_->sectionViewportPosition(column), header_->height()));
  list->setGeometry(below.x(), below.y(), std::max(header_->sectionSize(column), 160), 240);
  list->show();
  return list;
}

bool GroupGrid::IsEmpty() const { return model_->DataRowCount() == 0; }

std::optional<size_t> GroupGrid::CurrentPosition() const { return model_->PositionOf(view_->currentIndex()); }

bool GroupGrid::CurrentIsDataRow() const {
  const QModelIndex current = view_->currentIndex();
  return current.isValid() && model_->KindOf(current) == GridModel::RowKind::kData;
}

void GroupGrid::SetCurrentPosition(size_t position) { FocusIndex(model_->IndexOfPosition(position)); }

// The groups around the row are opened, so that the focused row is shown.
void GroupGrid::FocusIndex(const QModelIndex& index) {
  if (!index.isValid()) return;
  for (QModelIndex group = index.parent(); group.isValid(); group = group.parent()) view_->expand(group);
  view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view_->scrollTo(index);
}

void GroupGrid::FocusFirstRow() {
  const QModelIndex first = model_->index(0, 0);
  if (first.isValid()) {
    view_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view_->scrollTo(first);
  }
}

FieldValue GroupGrid::CurrentValue(std::string_view field) const {
  const std::optional<size_t> position = CurrentPosition();
  if (!position) return {};
  return model_->Value(model_->RowAtPosition(*position), field);
}

std::string GroupGrid::CurrentText(std::string_view field) const { return FieldText(CurrentValue(field)); }

double GroupGrid::CurrentNumber(std::string_view field) const { return FieldNumber(CurrentValue(field)); }

void GroupGrid::SetFooterText(const std::string& field, const QString& text, Qt::Alignment alignment) {
  const int column = model_->ColumnOf(field);
  if (column < 0) throw std::invalid_argument("the grid has no column " + field);
  footer_->SetText(column, text, alignment);
}

void GroupGrid::ClearFooter() { footer_->Clear(); }

void GroupGrid::SetFooterVisible(bool shown) { footer_->setVisible(shown); }

std::vector<int> GroupGrid::DisplayedColumns() const {
  std::vector<int> shown;
  for (int visual = 0; visual < header_->count(); ++visual) {
    const int logical = header_->logicalIndex(visual);
    if (model_->Columns()[static_cast<size_t>(logical)].visible) shown.push_back(logical);
  }
  return shown;
}

std::vector<size_t> GroupGrid::RowsInGridOrder() { return model_->RowsInGridOrder(); }

void GroupGrid::First() {
  if (!IsEmpty()) SetCurrentPosition(0);
}

void GroupGrid::Prior() {
  const std::optional<size_t> position = CurrentPosition();
  if (!position) {
    First();
  } else if (*position > 0) {
    SetCurrentPosition(*position - 1);
  }
}

void GroupGrid::Next() {
  const std::optional<size_t> position = CurrentPosition();
  size_t next = 0;
  if (position) next = CurrentIsDataRow() ? *position + 1 : *position;
  if (next >= model_->DataRowCount() && model_->canFetchMore({})) model_->fetchMore({});
  if (next < model_->DataRowCount()) SetCurrentPosition(next);
}

void GroupGrid::Last() {
  model_->LoadAllRows();
  if (!IsEmpty()) SetCurrentPosition(model_->DataRowCount() - 1);
}

void GroupGrid::Refresh() {
  if (!model_->GroupedFields().empty()) {
    RefreshGrouped();
    return;
  }
  model_->Refresh();
  SyncArrangement();
  FocusFirstRow();
}

// Rebuilding the groups closes them all and leaves no row focused: the operator's groups and row come back.
void GroupGrid::RefreshGrouped() {
  const GridExpansion opened = GridExpansion::Of(*view_, *model_);
  const bool on_data = CurrentIsDataRow();
  const std::vector<std::string> group = model_->GroupPath(view_->currentIndex());
  const std::optional<FieldValue> key =
      on_data && !key_field_.empty() ? std::optional<FieldValue>(CurrentValue(key_field_)) : std::nullopt;
  const size_t position = CurrentPosition().value_or(0);

  model_->Refresh();
  SyncArrangement();
  opened.ApplyTo(*view_, *model_);

  if (!group.empty()) {
    const QModelIndex same_group = model_->IndexOfGroup(group);
    if (same_group.isValid()) {
      FocusIndex(same_group);
      return;
    }
  }
  const std::optional<size_t> same_row = key ? model_->PositionOfValue(key_field_, *key) : std::nullopt;
  if (same_row) {
    SetCurrentPosition(*same_row);
  } else if (!IsEmpty()) {
    SetCurrentPosition(std::min(position, model_->DataRowCount() - 1));
  }
}

void GroupGrid::ExpandAll() { view_->expandAll(); }

void GroupGrid::CollapseAll() {
  QModelIndex top = view_->currentIndex();
  while (top.parent().isValid()) top = top.parent();
  view_->collapseAll();
  if (top.isValid()) {
    view_->selectionModel()->setCurrentIndex(top, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
}

PrintTable GroupGrid::PrintState() {
  model_->LoadAllRows();
  PrintTable table;
  table.tree_lines = !model_->GroupedFields().empty();
  for (int visual = 0; visual < header_->count(); ++visual) {
    const int logical = header_->logicalIndex(visual);
    if (header_->isSectionHidden(logical)) continue;
    // A column is printed aligned as its first data row is shown.
    const QVariant shown = model_->IndexOfPosition(0, logical).data(Qt::TextAlignmentRole);
    const Qt::Alignment alignment = shown.isValid() ? shown.value<Qt::Alignment>() & Qt::AlignHorizontal_Mask : Qt::AlignLeft;
    table.columns.push_back({QString::fromStdString(model_->Columns()[static_cast<size_t>(logical)].caption),
                             header_->sectionSize(logical), alignment});
  }
  AddPrintRows(table, {}, 0);
  if (!footer_->isHidden()) {
    for (int visual = 0; visual < header_->count(); ++visual) {
      const int logical = header_->logicalIndex(visual);
      if (header_->isSectionHidden(logical)) continue;
      table.footer.push_back({footer_->Text(logical), footer_->AlignmentOf(logical)});
    }
  }
  return table;
}

void GroupGrid::AddPrintRows(PrintTable& table, const QModelIndex& parent, int level) const {
  for (int row = 0; row < model_->rowCount(parent); ++row) {
    const QModelIndex index = model_->index(row, 0, parent);
    PrintRow line;
    line.level = level;
    const bool group = model_->KindOf(index) == GridModel::RowKind::kGroup;
    for (int visual = 0; visual < header_->count(); ++visual) {
      const int logical = header_->logicalIndex(visual);
      if (header_->isSectionHidden(logical)) continue;
      const QModelIndex cell = model_->index(row, logical, parent);
      line.cells << (group ? QString::fromStdString(model_->SummaryCellText(cell)) : cell.data().toString());
    }
    if (group && !line.cells.isEmpty()) {
      const QString label = QString::fromStdString(model_->GroupLabel(index));
      line.cells[0] = line.cells[0].isEmpty() ? label : label + "  " + line.cells[0];
    }
    line.has_children = group;
    line.expanded = group && view_->isExpanded(index);
    table.rows.push_back(line);
    if (line.expanded) AddPrintRows(table, index, level + 1);
  }
}


bool GroupGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    const QModelIndex index = view_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (!index.isValid() || model_->KindOf(index) != GridModel::RowKind::kGroup) emit RowDoubleClicked();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace money
