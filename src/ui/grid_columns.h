#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "reports/row_groups.h"
#include "storage/lookup_table.h"
#include "storage/row_view.h"

namespace money {

// Where a column's values come from.
enum class ColumnKind {
  kPlain,       // a field of the grid's query
  kCalculated,  // a function of the row
  kLookup,      // the text of a look-up table's row whose key is a field of the row
};

enum class CellAlignment { kAuto, kLeft, kRight };  // kAuto: numbers right, texts left

// One column of a group grid. Every column, shown or hidden, can be read from the current row by its
// field name; hidden columns serve as hand-over values only.
struct GridColumn {
  std::string field;
  std::string caption;
  int width = 0;            // pixels; 0 takes the grid's default width
  std::string format;       // display format of a number ("0.00;-0.00"); empty: the value as stored
  ColumnKind kind = ColumnKind::kPlain;
  std::function<std::string(const RowView&)> calculate;  // kCalculated
  std::shared_ptr<const LookupTable> lookup;             // kLookup: the table, read once by the window
  std::string key_field;                                 // kLookup: the row's field holding the key
  std::string lookup_field;                              // kLookup: the table's field holding the text
  bool visible = true;
  CellAlignment alignment = CellAlignment::kAuto;
};

// A total shown on every group row (and on group footer rows): the sum of a column, or the row count,
// written by a display format such as "合计 = #.##".
struct GridSummary {
  std::string field;
  SummaryKind kind = SummaryKind::kSum;
  std::string format;
};

GridColumn PlainColumn(std::string field, std::string caption, int width = 0, std::string format = {});
GridColumn CalculatedColumn(std::string field, std::string caption, int width,
                            std::function<std::string(const RowView&)> calculate);
GridColumn LookupColumn(std::string field, std::string caption, int width, std::shared_ptr<const LookupTable> lookup,
                        std::string key_field, std::string lookup_field);
GridColumn HiddenColumn(GridColumn column);

// The calculated columns of the lists: `ym` "年月" and `yy` "年", taken from the date field `ymd`.
inline constexpr const char* kYearMonthCaption = "年月";
inline constexpr const char* kYearCaption = "年";
GridColumn YearMonthColumn(int width = 0);
GridColumn YearColumn(int width = 0);

// The amount total of the group rows: the sum of `field` as "合计 = #.##".
GridSummary AmountTotal(std::string field);

}  // namespace money
