#include "ui/report_painter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace money {

namespace {

constexpr double kScreenDpi = 96;
constexpr double kCellPadding = 3;  // screen pixels left and right of a cell's text
constexpr double kRowPadding = 2;   // screen pixels above and below a row's text
constexpr double kIndent = 16;      // screen pixels per tree level
constexpr double kButtonSize = 9;   // screen pixels, the expand button's side
const QColor kGridColor(128, 128, 128);
const QColor kHeaderBackground(212, 208, 200);
const QColor kTreeLineColor(96, 96, 96);

}  // namespace

ReportPainter::ReportPainter(PrintTable table, QSizeF area, const QPaintDevice& device)
    : table_(std::move(table)), font_("Times New Roman"), scale_(device.logicalDpiX() / kScreenDpi) {
  font_.setPointSizeF(8);
  const QFontMetricsF metrics(font_, &device);
  row_height_ = std::ceil(metrics.height() + 2 * kRowPadding * scale_);
  rows_per_page_ = std::max(1, static_cast<int>((area.height() - row_height_) / row_height_));

  double total = 0;
  for (const PrintColumn& column : table_.columns) total += column.width * scale_;
  const double narrowing = total > area.width() ? area.width() / total : 1;
  edges_.push_back(0);
  for (const PrintColumn& column : table_.columns) edges_.push_back(edges_.back() + column.width * scale_ * narrowing);

  lines_.resize(table_.rows.size());
  std::vector<bool> sibling_follows;  // by level, scanning upwards from the last row
  for (size_t i = table_.rows.size(); i-- > 0;) {
    const size_t level = static_cast<size_t>(table_.rows[i].level);
    sibling_follows.resize(level + 1, false);
    lines_[i].later_sibling = sibling_follows[level];
    sibling_follows[level] = true;
  }
  std::vector<bool> continues;  // by level, for the latest row of that level scanning downwards
  for (size_t i = 0; i < table_.rows.size(); ++i) {
    const size_t level = static_cast<size_t>(table_.rows[i].level);
    continues.resize(level + 1, false);
    lines_[i].ancestor_continues.assign(continues.begin(), continues.begin() + static_cast<long>(level));
    continues[level] = lines_[i].later_sibling;
  }
}

int ReportPainter::PageCount() const {
  const int lines = static_cast<int>(LineCount());
  return std::max(1, (lines + rows_per_page_ - 1) / rows_per_page_);
}

void ReportPainter::PaintPage(QPainter& painter, int page) const {
  painter.save();
  painter.setFont(font_);
  PaintHeader(painter);
  const size_t first = static_cast<size_t>(page) * static_cast<size_t>(rows_per_page_);
  const size_t end = std::min(LineCount(), first + static_cast<size_t>(rows_per_page_));
  for (size_t line = first; line < end; ++line) {
    const double top = row_height_ * static_cast<double>(line - first + 1);
    if (line < table_.rows.size()) {
      PaintRow(painter, line, top);
    } else {
      PaintFooter(painter, top);
    }
  }
  painter.restore();
}

void ReportPainter::PaintHeader(QPainter& painter) const {
  const double padding = kCellPadding * scale_;
  for (size_t c = 0; c < table_.columns.size(); ++c) {
    const QRectF cell(edges_[c], 0, edges_[c + 1] - edges_[c], row_height_);
    painter.fillRect(cell, kHeaderBackground);
    painter.setPen(kGridColor);
    painter.drawRect(cell);
    painter.setPen(Qt::black);
    const QRectF text = cell.adjusted(padding, 0, -padding, 0);
    const QString caption =
        painter.fontMetrics().elidedText(table_.columns[c].caption, Qt::ElideRight, static_cast<int>(text.width()));
    painter.drawText(text, Qt::AlignVCenter | Qt::TextSingleLine | Qt::AlignLeft, caption);
  }
}

void ReportPainter::PaintRow(QPainter& painter, size_t row, double top) const {
  const double padding = kCellPadding * scale_;
  const PrintRow& cells = table_.rows[row];
  for (size_t c = 0; c < table_.columns.size(); ++c) {
    const QRectF cell(edges_[c], top, edges_[c + 1] - edges_[c], row_height_);
    painter.setPen(kGridColor);
    painter.drawRect(cell);
    double indent = 0;
    if (c == 0 && table_.tree_lines) indent = PaintTreeLines(painter, row, cell.left(), top);
    const QRectF text = cell.adjusted(padding + indent, 0, -padding, 0);
    if (text.width() <= 0 || static_cast<qsizetype>(c) >= cells.cells.size()) continue;
    painter.setPen(Qt::black);
    const QString shown = painter.fontMetrics().elidedText(cells.cells[static_cast<qsizetype>(c)], Qt::ElideRight,
                                                           static_cast<int>(text.width()));
    painter.drawText(text, table_.columns[c].alignment | Qt::AlignVCenter | Qt::TextSingleLine, shown);
  }
}

void ReportPainter::PaintFooter(QPainter& painter, double top) const {
  const double padding = kCellPadding * scale_;
  for (size_t c = 0; c < table_.columns.size(); ++c) {
    const QRectF cell(edges_[c], top, edges_[c + 1] - edges_[c], row_height_);
    painter.fillRect(cell, kHeaderBackground);
    painter.setPen(kGridColor);
    painter.drawRect(cell);
    if (c >= table_.footer.size()) continue;
    const PrintCell& footer = table_.footer[c];
    const QRectF text = cell.adjusted(padding, 0, -padding, 0);
    painter.setPen(Qt::black);
    const QString shown = painter.fontMetrics().elidedText(footer.text, Qt::ElideRight, static_cast<int>(text.width()));
    painter.drawText(text, footer.alignment | Qt::AlignVCenter | Qt::TextSingleLine, shown);
  }
}

double ReportPainter::PaintTreeLines(QPainter& painter, size_t row, double left, double top) const {
  const double indent = kIndent * scale_;
  const double bottom = top + row_height_;
  const double middle = top + row_height_ / 2;
  const PrintRow& node = table_.rows[row];
  const RowLines& lines = lines_[row];
  const auto centre = [&](size_t level) { return left + indent * static_cast<double>(level) + indent / 2; };

  painter.setPen(QPen(kTreeLineColor, 0, Qt::DotLine));
  for (size_t level = 0; level < lines.ancestor_continues.size(); ++level) {
    if (lines.ancestor_continues[level]) painter.drawLine(QPointF(centre(level), top), QPointF(centre(level), bottom));
  }
  const size_t level = static_cast<size_t>(node.level);
  const double x = centre(level);
  painter.drawLine(QPointF(x, row == 0 ? middle : top), QPointF(x, lines.later_sibling ? bottom : middle));
  painter.drawLine(QPointF(x, middle), QPointF(x + indent / 2, middle));

  if (node.has_children) {
    const double half = kButtonSize * scale_ / 2;
    const QRectF button(x - half, middle - half, 2 * half, 2 * half);
    painter.setPen(QPen(kTreeLineColor, 0));
    painter.fillRect(button, Qt::white);
    painter.drawRect(button);
    painter.setPen(QPen(Qt::black, 0));
    const double arm = half - 2 * scale_;
    painter.drawLine(QPointF(x - arm, middle), QPointF(x + arm, middle));
    if (!node.expanded) painter.drawLine(QPointF(x, middle - arm), QPointF(x, middle + arm));
  }
  return indent * static_cast<double>(level + 1);
}

void PrintTableOn(QPrinter& printer, const PrintTable& table) {
  QPainter painter(&printer);
  const ReportPainter report(table, printer.pageLayout().paintRectPixels(printer.resolution()).size(), printer);
  for (int page = 0; page < report.PageCount(); ++page) {
    if (page > 0) printer.newPage();
    report.PaintPage(painter, page);
  }
}

}  // namespace money
