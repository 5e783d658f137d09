#pragma once

#include <QFont>
#include <QSizeF>
#include <vector>

#include "ui/print_table.h"

class QPainter;
class QPaintDevice;
class QPrinter;

namespace money {

// Lays a table out on report pages and paints them: the column headers on every page, grid lines, the
// rows in Times New Roman 8 pt, for a tree its tree lines and expand buttons, and after the last row the
// table's summary footer, if it has one. Columns keep their screen widths, narrowed together when they
// are wider than the page. No title, and no page header or page footer text.
class ReportPainter {
 public:
  // `area` is the printable area in the device's pixels; painting starts at the painter's origin.
  ReportPainter(PrintTable table, QSizeF area, const QPaintDevice& device);

  int PageCount() const;
  int RowsPerPage() const { return rows_per_page_; }
  double RowHeight() const { return row_height_; }
  // Left edge of each column and, last, the right edge of the table, in device pixels.
  const std::vector<double>& ColumnEdges() const { return edges_; }

  void PaintPage(QPainter& painter, int page) const;

 private:
  // Where the tree lines of a row run: through the row for each ancestor level with a later sibling,
  // and on down from the node itself when it has a later sibling.
  struct RowLines {
    std::vector<bool> ancestor_continues;
    bool later_sibling = false;
  };

  // The rows and the footer line.
  size_t LineCount() const { return table_.rows.size() + (table_.footer.empty() ? 0 : 1); }
  void PaintHeader(QPainter& painter) const;
  void PaintRow(QPainter& painter, size_t row, double top) const;
  void PaintFooter(QPainter& painter, double top) const;
  // Draws the tree lines and button of a row in the first cell; returns the width they take.
  double PaintTreeLines(QPainter& painter, size_t row, double left, double top) const;

  PrintTable table_;
  QFont font_;
  double scale_ = 1;  // device pixels per screen pixel
  double row_height_ = 0;
  int rows_per_page_ = 1;
  std::vector<double> edges_;
  std::vector<RowLines> lines_;
};

// Paints every page of the table on the printer, in order.
void PrintTableOn(QPrinter& printer, const PrintTable& table);

}  // namespace money
