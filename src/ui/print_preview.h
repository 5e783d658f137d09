#pragma once

#include <QPageLayout>
#include <QPrintPreviewDialog>

#include "ui/print_table.h"

namespace money {

// The print preview of a control's current state, from which the operator may print: Letter paper with
// 12.7 mm margins on every side. The header and footer bands (6.35 mm from the edges) stay empty, as
// the report has no title, header or footer text.
class PrintPreview : public QPrintPreviewDialog {
  Q_OBJECT

 public:
  explicit PrintPreview(PrintTable table, QWidget* parent = nullptr);

  static QPageLayout ReportPageLayout();

 private:
  PrintTable table_;
};

}  // namespace money
