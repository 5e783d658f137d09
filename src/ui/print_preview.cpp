#include "ui/print_preview.h"

#include <QPageSize>
#include <QPrinter>

#include "ui/report_painter.h"

namespace money {

namespace {

constexpr double kMarginMm = 12.7;

}  // namespace

PrintPreview::PrintPreview(PrintTable table, QWidget* parent) : QPrintPreviewDialog(parent), table_(std::move(table)) {
  printer()->setPageLayout(ReportPageLayout());
  connect(this, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { PrintTableOn(*printer, table_); });
}

QPageLayout PrintPreview::ReportPageLayout() {
  return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

}  // namespace money
