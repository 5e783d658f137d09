#pragma once

#include <optional>
#include <string>

class QMimeData;
class QObject;

namespace money {

// What a column header carries while it is dragged between a grid's header and its group panel: the
// column's field, marked with the grid it belongs to so that no other grid takes it.
inline constexpr const char* kColumnDragMimeType = "application/x-money-grid-column";

QMimeData* ColumnDragData(const QObject* grid, const std::string& field);
// The field a drag carries when it comes from this grid.
std::optional<std::string> DraggedColumn(const QMimeData* data, const QObject* grid);

}  // namespace money
