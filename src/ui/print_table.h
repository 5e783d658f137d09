#pragma once

#include <QString>
#include <QStringList>
#include <Qt>
#include <vector>

namespace money {

// A control's current state as the print preview draws it: its visible columns and displayed rows.
struct PrintColumn {
  QString caption;
  int width = 0;  // pixels on the screen
  Qt::Alignment alignment = Qt::AlignLeft;
};

struct PrintCell {
  QString text;
  Qt::Alignment alignment = Qt::AlignLeft;
};

struct PrintRow {
  QStringList cells;
  int level = 0;  // depth in the tree, 0 for a top-level node
  bool has_children = false;
  bool expanded = false;
};

struct PrintTable {
  std::vector<PrintColumn> columns;
  std::vector<PrintRow> rows;
  bool tree_lines = false;        // draw tree lines and expand buttons in the first column
  std::vector<PrintCell> footer;  // a summary footer under the columns, after the last row; empty: none
};

}  // namespace money
