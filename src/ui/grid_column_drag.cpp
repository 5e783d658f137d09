#include "ui/grid_column_drag.h"

#include <QMimeData>

namespace money {

namespace {

QByteArray GridMark(const QObject* grid) { return QByteArray::number(reinterpret_cast<quintptr>(grid)) + '\n'; }

}  // namespace

QMimeData* ColumnDragData(const QObject* grid, const std::string& field) {
  auto* data = new QMimeData;
  data->setData(kColumnDragMimeType, GridMark(grid) + QByteArray::fromStdString(field));
  return data;
}

std::optional<std::string> DraggedColumn(const QMimeData* data, const QObject* grid) {
  if (data == nullptr || !data->hasFormat(kColumnDragMimeType)) return std::nullopt;
  const QByteArray bytes = data->data(kColumnDragMimeType);
  const QByteArray mark = GridMark(grid);
  if (!bytes.startsWith(mark)) return std::nullopt;
  return bytes.mid(mark.size()).toStdString();
}

}  // namespace money
