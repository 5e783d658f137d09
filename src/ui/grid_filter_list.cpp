#include "ui/grid_filter_list.h"

#include <QStringListModel>

#include <algorithm>

namespace money {

GridFilterList::GridFilterList(const std::vector<std::string>& values, QWidget* parent)
    : QListView(parent), values_(values), texts_(new QStringListModel(this)) {
  setObjectName("FilterList");
  setWindowFlags(Qt::Popup);
  setAttribute(Qt::WA_DeleteOnClose);
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  QStringList texts{QString::fromUtf8(kFilterAll)};
  for (const std::string& value : values_) {
    texts << (value.empty() ? QString::fromUtf8(kFilterBlank) : QString::fromStdString(value));
  }
  texts_->setStringList(texts);
  setModel(texts_);
  connect(this, &QListView::clicked, this, [this](const QModelIndex& index) { ChooseRow(index.row()); });
  connect(this, &QListView::activated, this, [this](const QModelIndex& index) { ChooseRow(index.row()); });
}

void GridFilterList::Choose(const std::optional<std::string>& value) {
  if (!value) {
    ChooseRow(0);
    return;
  }
  const auto found = std::find(values_.begin(), values_.end(), *value);
  if (found != values_.end()) ChooseRow(static_cast<int>(found - values_.begin()) + 1);
}

void GridFilterList::ChooseRow(int row) {
  if (row < 0 || row > static_cast<int>(values_.size())) return;
  const std::optional<std::string> value =
      row == 0 ? std::nullopt : std::optional<std::string>(values_[static_cast<size_t>(row) - 1]);
  close();
  emit Chosen(value);
}

}  // namespace money
