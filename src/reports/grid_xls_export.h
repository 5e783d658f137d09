#pragma once

#include "reports/xls_writer.h"

namespace money {

class GroupGrid;

// The grid as a worksheet table: the shown columns in display order (grouped ones too) with their
// captions, widths and number formats, and every data row in the grid's order, the rows inside collapsed
// groups included (all rows are read first). A number is a number cell, a text a text cell, NULL an empty
// cell. Reading the rest of the rows leaves the focused row and the scroll position as they were. The
// table reads the grid's rows while it is written: write it before the grid changes.
XlsTable GridSheetTable(GroupGrid& grid);

}  // namespace money
