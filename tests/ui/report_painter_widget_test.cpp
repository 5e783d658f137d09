#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "support/temp_folder.h"
#include "ui/print_preview.h"
#include "ui/report_painter.h"

namespace money {
namespace {

// A Letter page at 96 dots per inch with the report's margins, painted on white.
class ReportPageTest : public ::testing::Test {
 protected:
  ReportPageTest() : page_(816, 1056, QImage::Format_RGB32) {
    page_.fill(Qt::white);
    area_ = PrintPreview::ReportPageLayout().paintRectPixels(page_.logicalDpiX()).size();
  }

  ReportPainter Paint(const PrintTable& table, int page = 0) {
    ReportPainter report(table, area_, page_);
    QPainter painter(&page_);
    painter.translate(kMargin, kMargin);
    report.PaintPage(painter, page);
    return report;
  }

  // Dark pixels in a band of page rows, from the left margin to the given page column.
  bool InkIn(double top, double bottom, int left, int right) const {
    for (int y = static_cast<int>(std::ceil(top)); y < static_cast<int>(bottom); ++y) {
      for (int x = left; x < right; ++x) {
        if (qGray(page_.pixel(x, y)) < 100) return true;
      }
    }
    return false;
  }

  // The rightmost dark pixel of a band, or -1.
  int InkRightEdge(double top, double bottom, int left, int right) const {
    int edge = -1;
    for (int y = static_cast<int>(std::ceil(top)) + 1; y < static_cast<int>(bottom) - 1; ++y) {
      for (int x = left; x < right; ++x) {
        if (qGray(page_.pixel(x, y)) < 100) edge = std::max(edge, x);
      }
    }
    return edge;
  }

  static PrintTable Rows(int count) {
    PrintTable table;
    table.columns = {{"科目编号", 131, Qt::AlignLeft}, {"余额", 142, Qt::AlignRight}};
    for (int i = 0; i < count; ++i) table.rows.push_back({{QString::number(i), "0.00"}});
    return table;
  }

  static constexpr int kMargin = 48;  // 12.7 mm at 96 dots per inch
  QImage page_;
  QSizeF area_;
};

TEST_F(ReportPageTest, ThePrintableAreaIsLetterLessHalfAnInchEachSide) {
  EXPECT_EQ(area_, QSizeF(720, 960));
  const QPageLayout layout = PrintPreview::ReportPageLayout();
  EXPECT_EQ(layout.pageSize().id(), QPageSize::Letter);
  EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
  EXPECT_EQ(layout.margins(QPageLayout::Millimeter), QMarginsF(12.7, 12.7, 12.7, 12.7));
}

TEST_F(ReportPageTest, HeaderThenRowsInTheirOrder) {
  // Row i holds i + 1 letters, so its ink reaches further right than the row above it.
  PrintTable table;
  table.columns = {{"名称", 300, Qt::AlignLeft}};
  for (int i = 0; i < 5; ++i) table.rows.push_back({{QString(i + 1, 'W')}});
  const ReportPainter report = Paint(table);
  const double row = report.RowHeight();
  EXPECT_GT(row, 8.0);  // at least the 8 pt text height at 96 dots per inch
  EXPECT_LT(row, 24.0);

  const QColor header = page_.pixel(kMargin + 250, kMargin + static_cast<int>(row / 2));
  EXPECT_NE(header, QColor(Qt::white)) << "the header row has its background";
  int previous = -1;
  for (int i = 0; i < 5; ++i) {
    const double top = kMargin + row * (i + 1);
    const int edge = InkRightEdge(top, top + row, kMargin + 2, kMargin + 298);
    EXPECT_GT(edge, previous) << "row " << i;
    previous = edge;
  }
  const double below = kMargin + row * 6;
  EXPECT_FALSE(InkIn(below + 2, below + 3 * row, 0, page_.width())) << "nothing after the last row";
}

TEST_F(ReportPageTest, TreeButtonsShowWhetherANodeIsExpanded) {
  PrintTable table;
  table.tree_lines = true;
  table.columns = {{"科目编号", 200, Qt::AlignLeft}};
  table.rows = {{{"1"}, 0, true, true}, {{"1001"}, 1, true, false}, {{"1001001"}, 2, false, false}};
  const ReportPainter report = Paint(table);
  const double row = report.RowHeight();
  const auto button_has_vertical_stroke = [&](int r, int level) {
    const int x = kMargin + 16 * level + 8;
    const double middle = kMargin + row * (r + 1) + row / 2;
    return InkIn(middle - 3, middle - 1, x - 1, x + 2);
  };
  EXPECT_FALSE(button_has_vertical_stroke(0, 0)) << "expanded: minus";
  EXPECT_TRUE(button_has_vertical_stroke(1, 1)) << "collapsed: plus";
  // The leaf's text starts after three levels of indent and the cell padding; above its tree line
  // the indent is empty.
  const double top = kMargin + row * 3;
  EXPECT_FALSE(InkIn(top + 2, top + row / 2 - 2, kMargin + 16 * 2 + 9, kMargin + 16 * 3 + 3));
  EXPECT_TRUE(InkIn(top + 2, top + row - 2, kMargin + 16 * 3 + 3, kMargin + 200));
}

TEST_F(ReportPageTest, ManyRowsFillSeveralPagesAndTheLastHoldsTheRest) {
  const ReportPainter first = Paint(Rows(200));
  const int per_page = first.RowsPerPage();
  EXPECT_EQ(per_page, static_cast<int>((area_.height() - first.RowHeight()) / first.RowHeight()));
  EXPECT_EQ(first.PageCount(), (200 + per_page - 1) / per_page);
  EXPECT_GT(first.PageCount(), 1);

  page_.fill(Qt::white);
  const ReportPainter last = Paint(Rows(200), first.PageCount() - 1);
  const int rest = 200 - per_page * (first.PageCount() - 1);
  const double end = kMargin + last.RowHeight() * (rest + 1);
  EXPECT_TRUE(InkIn(end - last.RowHeight() + 2, end - 2, kMargin, kMargin + 100));
  EXPECT_FALSE(InkIn(end + 2, kMargin + area_.height(), 0, page_.width()));

  EXPECT_EQ(ReportPainter(Rows(0), area_, page_).PageCount(), 1) << "an empty report still has its header page";
}

TEST_F(ReportPageTest, ColumnsWiderThanThePageAreNarrowedTogether) {
  PrintTable table;
  table.columns = {{"a", 1000, Qt::AlignLeft}, {"b", 500, Qt::AlignLeft}};
  const ReportPainter wide(table, area_, page_);
  EXPECT_DOUBLE_EQ(wide.ColumnEdges().back(), area_.width());
  EXPECT_DOUBLE_EQ(wide.ColumnEdges()[1], area_.width() * 2 / 3);

  const ReportPainter narrow(Rows(1), area_, page_);
  EXPECT_DOUBLE_EQ(narrow.ColumnEdges().back(), 131 + 142);
}

// The pages a printer receives: counted in the PDF file it writes.
TEST(PrintTableOnTest, PrintsEveryPageOnTheReportPaper) {
  test::TempFolder folder;
  const QString file = QString::fromStdString((folder / "report.pdf").string());
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  printer.setPageLayout(PrintPreview::ReportPageLayout());

  PrintTable table;
  table.columns = {{"科目编号", 131, Qt::AlignLeft}};
  for (int i = 0; i < 150; ++i) table.rows.push_back({{QString::number(i)}});
  const int pages =
      ReportPainter(table, printer.pageLayout().paintRectPixels(printer.resolution()).size(), printer).PageCount();
  PrintTableOn(printer, table);

  QFile pdf(file);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QString text = QString::fromLatin1(pdf.readAll());
  EXPECT_GT(pages, 1);
  EXPECT_EQ(text.count(QRegularExpression("/Type\\s*/Page\\b(?!s)")), pages);
  EXPECT_TRUE(text.contains(QRegularExpression("/MediaBox\\s*\\[0 0 612(\\.0*)? 792(\\.0*)?\\]")))
      << text.mid(text.indexOf("/MediaBox"), 40).toStdString();
}

TEST(PrintPreviewTest, PreviewsThePagesOfTheTableOnLetterPaper) {
  PrintTable table;
  table.columns = {{"科目编号", 131, Qt::AlignLeft}};
  for (int i = 0; i < 150; ++i) table.rows.push_back({{QString::number(i)}});
  PrintPreview preview(table);
  const QPageLayout layout = preview.printer()->pageLayout();
  EXPECT_EQ(layout.pageSize().id(), QPageSize::Letter);
  EXPECT_EQ(layout.margins(QPageLayout::Millimeter), QMarginsF(12.7, 12.7, 12.7, 12.7));

  preview.open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
  auto* pages = preview.findChild<QPrintPreviewWidget*>();
  ASSERT_NE(pages, nullptr);
  const QPrinter& printer = *preview.printer();
  EXPECT_EQ(
      pages->pageCount(),
      ReportPainter(table, printer.pageLayout().paintRectPixels(printer.resolution()).size(), printer).PageCount());
  EXPECT_GT(pages->pageCount(), 1);
  preview.reject();
}

}  // namespace
}  // namespace money
