#include "reports/grid_xls_export.h"

#include <vector>

#include "storage/query_dataset.h"
#include "ui/grid_header.h"
#include "ui/grid_model.h"
#include "ui/group_grid.h"

namespace money {

namespace {

XlsCell CellOf(const FieldValue& value) {
  if (const auto* integer = std::get_if<long long>(&value)) return static_cast<double>(*integer);
  if (const auto* number = std::get_if<double>(&value)) return *number;
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return {};
}

}  // namespace

XlsTable GridSheetTable(GroupGrid& grid) {
  const GridModel* model = grid.Model();
  const std::vector<int> shown = grid.DisplayedColumns();
  std::vector<std::string> fields;
  XlsTable table;
  for (const int logical : shown) {
    const GridColumn& column = model->Columns()[static_cast<size_t>(logical)];
    // A grouped column's header section is hidden: it keeps its designed width.
    const int width = grid.Header()->isSectionHidden(logical) ? column.width : grid.Header()->sectionSize(logical);
    table.columns.push_back({column.caption, width, column.format});
    fields.push_back(column.field);
  }
  std::vector<size_t> rows = grid.RowsInGridOrder();
  table.row_count = rows.size();
  table.cell_of = [model, fields = std::move(fields), rows = std::move(rows)](size_t row, size_t column) {
    return CellOf(model->Value(rows[row], fields[column]));
  };
  return table;
}

}  // namespace money
