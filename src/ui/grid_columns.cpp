#include "ui/grid_columns.h"

#include "reports/date_parts.h"
#include "reports/group_text.h"

namespace money {

GridColumn PlainColumn(std::string field, std::string caption, int width, std::string format) {
  GridColumn column;
  column.field = std::move(field);
  column.caption = std::move(caption);
  column.width = width;
  column.format = std::move(format);
  return column;
}

GridColumn CalculatedColumn(std::string field, std::string caption, int width,
                            std::function<std::string(const RowView&)> calculate) {
  GridColumn column = PlainColumn(std::move(field), std::move(caption), width);
  column.kind = ColumnKind::kCalculated;
  column.calculate = std::move(calculate);
  return column;
}

GridColumn LookupColumn(std::string field, std::string caption, int width, std::shared_ptr<const LookupTable> lookup,
                        std::string key_field, std::string lookup_field) {
  GridColumn column = PlainColumn(std::move(field), std::move(caption), width);
  column.kind = ColumnKind::kLookup;
  column.lookup = std::move(lookup);
  column.key_field = std::move(key_field);
  column.lookup_field = std::move(lookup_field);
  return column;
}

GridColumn HiddenColumn(GridColumn column) {
  column.visible = false;
  return column;
}

GridColumn YearMonthColumn(int width) {
  return CalculatedColumn("ym", kYearMonthCaption, width,
                          [](const RowView& row) { return YearMonthOfDate(row.Text("ymd")); });
}

GridColumn YearColumn(int width) {
  return CalculatedColumn("yy", kYearCaption, width, [](const RowView& row) { return YearOfDate(row.Text("ymd")); });
}

GridSummary AmountTotal(std::string field) {
  return GridSummary{std::move(field), SummaryKind::kSum, std::string(kGroupTotalFormat)};
}

}  // namespace money
