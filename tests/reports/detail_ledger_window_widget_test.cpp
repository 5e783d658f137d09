#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "reports/detail_ledger_window.h"
#include "reports/balance_queries.h"
#include "reports/detail_messages.h"
#include "reports/period_queries.h"
#include "reports/xls_reader.h"
#include "storage/ledger_file.h"
#include "storage/settings_file.h"
#include "subjects/subject_codes.h"
#include "support/ledger_fixture.h"
#include "support/message_recorder.h"
#include "support/save_file_recorder.h"
#include "transactions/posting_engine.h"
#include "ui/grid_footer.h"
#include "ui/grid_header.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/group_grid.h"
#include "ui/print_table.h"
#include "ui/report_painter.h"

namespace money {
namespace {

using ::testing::ElementsAre;

// The requests as the balance query and the period activity windows hand them over.
DetailRequest SubjectRequest(const std::string& code, const std::string& long_name) {
  return SubjectDetailRequest(code, long_name);
}

DetailRequest PeriodRequest(const std::string& code, const std::string& long_name, const std::string& from,
                            const std::string& to) {
  return PeriodDetailRequest({from, to}, code, long_name);
}

// A ledger with a small chart, and a detail ledger window over it whose modal showing runs `script_` (the
// operator's work in it) and then closes the window.
class DetailLedgerTest : public test::LedgerFixture {
 protected:
  DetailLedgerTest() {
    db_.RelaxDurabilityForBulkLoad();
    AddSubject("1001", "工资");
    AddSubject("2001", "餐饮");
    AddSubject("3001", "中行");
    AddSubject("3001001", "活期");
    AddSubject("3002", "现金");
  }

  std::filesystem::path SettingsPath() const { return folder_ / "money.INI"; }

  DetailLedgerWindow& Make(DetailLedgerKind kind) {
    window_ = std::make_unique<DetailLedgerWindow>(kind, db_, messages_, save_files_, SettingsPath(), folder_.Path(),
                                                   [this](QDialog& dialog) { ShowModal(dialog); });
    return *window_;
  }
  // The window itself runs the script; a dialog it shows (its print preview) is only recorded.
  void ShowModal(QDialog& dialog) {
    if (&dialog != window_.get()) {
      EXPECT_EQ(dialog.parentWidget(), window_.get());
      shown_.push_back(dialog.metaObject()->className());
      return;
    }
    ++showings_;
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    if (script_) script_();
    if (dialog.isVisible()) dialog.reject();
  }
  // Shows the window for the request with the script run inside.
  void Show(const DetailRequest& request, std::function<void()> script) {
    script_ = std::move(script);
    window_->Show(request);
    script_ = nullptr;
  }

  long long Post(EntryKind kind, const std::string& date, const std::string& source, const std::string& destination,
                 double amount, const std::string& memo = "") {
    return PostAs(kind, date, source, destination, amount, memo, "0001", "记账员");
  }
  // Incomes into 活期 of 1, 2, … `count`, on the days of 2005 in turn, and one expense of 12.25 from 中行.
  void PostLines(int count) {
    for (int i = 1; i <= count; ++i) {
      const std::string date = "2005." +
                               std::string(i <= 31   ? "01"
                                           : i <= 59 ? "02"
                                                     : "03") +
                               "." +
                               (std::to_string(100 + (i <= 31   ? i
                                                      : i <= 59 ? i - 31
                                                                : std::min(i - 59, 31))))
                                   .substr(1);
      Post(EntryKind::Income, date, "1001", "3001001", i, "工资" + std::to_string(i));
    }
    Post(EntryKind::Expense, "2005.02.14", "3001", "2001", 12.25, "晚餐");
  }

  GroupGrid& Grid() const { return window_->Grid(); }
  GridModel& Model() const { return *Grid().Model(); }
  QString FooterUnder(const std::string& field) const { return Grid().Footer()->Text(Model().ColumnOf(field)); }
  // The texts of a column over the rows read so far, in grid order.
  std::vector<std::string> Column(const std::string& field) const {
    std::vector<std::string> texts;
    for (size_t position = 0; position < Model().DataRowCount(); ++position) {
      texts.push_back(Model().CellText(Model().RowAtPosition(position), Model().ColumnOf(field)));
    }
    return texts;
  }
  void Click(const char* button) const {
    auto* control = window_->findChild<QPushButton*>(QString::fromUtf8(button));
    ASSERT_NE(control, nullptr) << button;
    QTest::mouseClick(control, Qt::LeftButton);
    QApplication::processEvents();
  }

  test::MessageRecorder messages_;
  test::SaveFileRecorder save_files_;
  std::unique_ptr<DetailLedgerWindow> window_;
  std::function<void()> script_;
  int showings_ = 0;
  std::vector<std::string> shown_;
};

struct ColumnLooks {
  std::string field;
  std::string caption;
  int width;
  bool visible;
};

TEST_F(DetailLedgerTest, EachKindShowsItsColumnsAndButtonsAndReadsItsLinesInBatchesUnderTheTotals) {
  PostLines(150);
  const struct {
    DetailLedgerKind kind;
    const char* form;
    const char* caption;
    DetailRequest request;
    int serial_width;
    int amount_width;
    size_t first_batch;
  } kinds[] = {
      {DetailLedgerKind::kPeriod, "TForm18", "科目发生额明细",
       PeriodRequest("3001", "节余\\中行", "2005.01.01", "2005.12.31"), 67, 107, 70},
      {DetailLedgerKind::kSubject, "TForm28", "科目明细", SubjectRequest("3001", "节余\\中行"), 66, 98, 100},
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.form);
    DetailLedgerWindow& window = Make(kind.kind);
    EXPECT_EQ(window.objectName(), kind.form);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8(kind.caption));
    EXPECT_EQ(Grid().objectName(), QStringLiteral("dxDBGrid2"));
    const std::vector<ColumnLooks> expected = {
        {"lb1", "类别", 32, true},
        {"lsh", "流水号", kind.serial_width, true},
        {"ymd", "日期", 74, true},
        {"zy", "摘要", 140, true},
        {"je", "金额", kind.amount_width, true},
        {"kmbh", "科目编号", 80, true},
        {"kmmc", "科目名称", 195, true},
        {"ym", "年月", 53, true},
        {"yy", "年", 32, true},
        {"UID", "用户编号", 54, true},
        {"UNAME", "用户名称", 144, true},
        {"parentid", "上级编号", 0, false},
        {"lb", "类别", 0, false},
        {"mx", "", 0, false},
    };
    const std::vector<GridColumn>& columns = Model().Columns();
    ASSERT_EQ(columns.size(), expected.size());
    for (size_t c = 0; c < columns.size(); ++c) {
      EXPECT_EQ(columns[c].field, expected[c].field);
      EXPECT_EQ(columns[c].caption, expected[c].caption) << expected[c].field;
      EXPECT_EQ(columns[c].width, expected[c].width) << expected[c].field;
      EXPECT_EQ(columns[c].visible, expected[c].visible) << expected[c].field;
    }
    const std::pair<const char*, const char*> buttons[] = {{"BitBtn6", "打印预览"},
                                                           {"BitBtn4", "全部展开"},
                                                           {"BitBtn3", "全部收缩"},
                                                           {"BitBtn1", "另存为Excel"},
                                                           {"BitBtn2", "退出"}};
    for (const auto& [name, caption] : buttons) {
      const auto* button = window.findChild<QPushButton*>(name);
      ASSERT_NE(button, nullptr) << name;
      EXPECT_EQ(button->text(), QString::fromUtf8(caption));
    }

    Show(kind.request, [&] {
      EXPECT_EQ(window.windowTitle(), QString::fromStdString(kind.request.caption));
      EXPECT_EQ(Model().LoadedRowCount(), kind.first_batch);
      // All 151 lines counted and summed by the totals query, not only those read.
      EXPECT_EQ(FooterUnder("lsh"), QString("个数=151"));
      EXPECT_EQ(FooterUnder("je"), QString("11312.75"));
      EXPECT_EQ(Column("lsh").front(), "151");
      EXPECT_EQ(Column("je").front(), "-12.25");
      Click("BitBtn2");
      EXPECT_FALSE(window.isVisible());
    });
    // Closed: the lines and the totals are let go.
    EXPECT_FALSE(Model().IsOpen());
    EXPECT_EQ(FooterUnder("je"), QString());
  }
}

TEST_F(DetailLedgerTest, AnEmptyLedgerShowsNoRowsACountOfZeroAndAZeroSum) {
  PostLines(3);
  Make(DetailLedgerKind::kSubject);
  Show(SubjectRequest("3002", "节余\\现金"), [&] {
    EXPECT_TRUE(Grid().IsEmpty());
    EXPECT_EQ(FooterUnder("lsh"), QString("个数=0"));
    EXPECT_EQ(FooterUnder("je"), QString("0.00"));
  });
}

TEST_F(DetailLedgerTest, ADatabaseErrorPassesThroughWithoutShowingTheWindow) {
  PostLines(3);
  Make(DetailLedgerKind::kSubject);
  DetailRequest broken = SubjectRequest("3001", "节余\\中行");
  broken.detail_query = "select * from B_MXX";
  EXPECT_THROW(window_->Show(broken), DatabaseError);
  EXPECT_EQ(showings_, 0);
  EXPECT_FALSE(Model().IsOpen());
  EXPECT_EQ(FooterUnder("lsh"), QString());
}

TEST_F(DetailLedgerTest, LinesShowTheirKindMemoOperatorAndLongNameAndWhatIsMissingShowsEmpty) {
  Post(EntryKind::Income, "2005.03.07", "1001", "3001001", 1200.5, "三月工资");
  Post(EntryKind::Transfer, "2005.03.08", "3001001", "3002", -40, "");
  // A line of another origin: its entry is not in the journal, its subject not in the chart, and its kind
  // is none of the three.
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(LedgerPath(folder_.Path()).c_str(), &raw), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(raw,
                         "pragma ignore_check_constraints=on;"
                         "insert into B_MX values (999, '2004.12.31', '3009', '3', 5, '0002', 7, 1)",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(raw);

  Make(DetailLedgerKind::kSubject);
  Show(SubjectRequest("3", "节余"), [&] {
    EXPECT_THAT(Column("lsh"), ElementsAre("999", "2", "2", "1"));
    EXPECT_THAT(Column("lb1"), ElementsAre("", "转帐", "转帐", "收入"));
    EXPECT_THAT(Column("zy"), ElementsAre("", "", "", "三月工资"));
    EXPECT_THAT(Column("UNAME"), ElementsAre("", "记账员", "记账员", "记账员"));
    EXPECT_THAT(Column("UID"), ElementsAre("0002", "0001", "0001", "0001"));
    EXPECT_THAT(Column("kmmc"),
                ::testing::UnorderedElementsAre("", "节余\\中行\\活期", "节余\\现金", "节余\\中行\\活期"));
    EXPECT_THAT(Column("ym"), ElementsAre("2004.12", "2005.03", "2005.03", "2005.03"));
    EXPECT_THAT(Column("yy"), ElementsAre("2004", "2005", "2005", "2005"));
    EXPECT_THAT(Column("je"), ::testing::UnorderedElementsAre("5.00", "40.00", "-40.00", "1200.50"));
  });
}

TEST_F(DetailLedgerTest, GroupingByMonthTotalsEachMonthWhileTheFooterKeepsAllLines) {
  PostLines(62);
  Make(DetailLedgerKind::kPeriod);
  Show(PeriodRequest("3001", "节余\\中行", "2005.01.01", "2005.12.31"), [&] {
    Grid().GroupBy("ym");
    ASSERT_EQ(Model().rowCount(), 3);
    EXPECT_EQ(Model().GroupText(Model().index(0, 0)), "年月 : 2005.01  合计 = 496");
    EXPECT_EQ(Model().GroupText(Model().index(1, 0)), "年月 : 2005.02  合计 = 1261.75");
    EXPECT_EQ(Model().GroupText(Model().index(2, 0)), "年月 : 2005.03  合计 = 183");
    EXPECT_EQ(Model().rowCount(Model().index(1, 0)), 29);
    EXPECT_EQ(FooterUnder("lsh"), QString("个数=63"));
    EXPECT_EQ(FooterUnder("je"), QString("1940.75"));
    Click("BitBtn4");
    EXPECT_TRUE(Grid().View()->isExpanded(Model().index(2, 0)));
    Click("BitBtn3");
    EXPECT_FALSE(Grid().View()->isExpanded(Model().index(2, 0)));
  });
}

TEST_F(DetailLedgerTest, ThePrintPreviewShowsTheGroupRowsAsShownAndTheSummaryFooter) {
  PostLines(62);
  Make(DetailLedgerKind::kPeriod);
  Show(PeriodRequest("3001", "节余\\中行", "2005.01.01", "2005.12.31"), [&] {
    Grid().GroupBy("ym");
    Click("BitBtn3");
    Grid().View()->expand(Model().index(2, 0));
    Click("BitBtn6");
    EXPECT_THAT(shown_, ElementsAre("money::PrintPreview"));

    const PrintTable table = Grid().PrintState();
    ASSERT_EQ(table.rows.size(), 3u + 3u);  // three months, March open
    EXPECT_EQ(table.rows[2].cells[0], QString("年月 : 2005.03"));
    EXPECT_EQ(table.rows[2].cells[4], QString("合计 = 183"));  // under 金额
    ASSERT_EQ(table.footer.size(), 10u);                       // the month is grouped
    EXPECT_EQ(table.footer[1].text, QString("个数=63"));
    EXPECT_EQ(table.footer[1].alignment, Qt::AlignLeft);
    EXPECT_EQ(table.footer[4].text, QString("1940.75"));
    EXPECT_EQ(table.footer[4].alignment, Qt::AlignRight);
    EXPECT_EQ(table.footer[0].text, QString());

    // A page that holds the rows exactly leaves the footer to a second page.
    QImage page(816, 1056, QImage::Format_RGB32);
    const double row_height = ReportPainter(table, QSizeF(700, 1000), page).RowHeight();
    const QSizeF area(700, row_height * (1 + table.rows.size()) + 1);
    EXPECT_EQ(ReportPainter(table, area, page).PageCount(), 2);
    PrintTable without_footer = table;
    without_footer.footer.clear();
    EXPECT_EQ(ReportPainter(without_footer, area, page).PageCount(), 1);
  });
}

TEST_F(DetailLedgerTest, ReopeningForAnotherSubjectShowsOnlyItsLinesAndTotalsReadAfresh) {
  PostLines(3);
  Post(EntryKind::Transfer, "2005.04.01", "3001001", "3002", 7.5);
  Make(DetailLedgerKind::kSubject);
  Show(SubjectRequest("3001", "节余\\中行"), [&] {
    EXPECT_THAT(Column("lsh"), ElementsAre("5", "4", "3", "2", "1"));
    EXPECT_EQ(FooterUnder("lsh"), QString("个数=5"));
    Grid().SortBy("je");
  });
  Post(EntryKind::Income, "2005.04.02", "1001", "3002", 100);
  Show(SubjectRequest("3002", "节余\\现金"), [&] {
    EXPECT_EQ(window_->windowTitle(), QString("科目明细 _ 节余\\现金"));
    // The operator's sorting stays with the window.
    EXPECT_THAT(Column("lsh"), ElementsAre("5", "6"));
    EXPECT_THAT(Column("kmbh"), ElementsAre("3002", "3002"));
    EXPECT_EQ(FooterUnder("lsh"), QString("个数=2"));
    EXPECT_EQ(FooterUnder("je"), QString("107.50"));
  });
  EXPECT_EQ(showings_, 2);
}

// The sheet of the grid: the captions of the shown columns in display order, then every line as the
// grid orders it, read back from the file.
class DetailExportTest : public DetailLedgerTest {
 protected:
  std::vector<std::string> HeaderOf(const test::ReadSheet& sheet) const {
    std::vector<std::string> captions;
    for (const test::ReadCell& cell : sheet.rows.at(0)) captions.push_back(std::get<std::string>(cell.value));
    return captions;
  }
  // One column of the sheet below its header.
  std::vector<XlsCell> SheetColumn(const test::ReadSheet& sheet, const std::string& caption) const {
    const std::vector<std::string> header = HeaderOf(sheet);
    const size_t column = static_cast<size_t>(std::find(header.begin(), header.end(), caption) - header.begin());
    std::vector<XlsCell> cells;
    for (size_t row = 1; row < sheet.rows.size(); ++row) cells.push_back(sheet.Value(row, column));
    return cells;
  }
  // The serial numbers of the lines of 中行 and its descendants, ordered by serial number and amount.
  std::vector<XlsCell> Serials(
      const std::function<bool(const std::pair<double, double>&, const std::pair<double, double>&)>& before) {
    std::vector<std::pair<double, double>> lines;
    for (QueryDataset rows = db_.OpenQuery("select lsh, je from B_MX where mx=1 and kmbh like '3001%'"); !rows.Eof();
         rows.Next()) {
      lines.emplace_back(rows.Double("lsh"), rows.Double("je"));
    }
    std::stable_sort(lines.begin(), lines.end(), before);
    std::vector<XlsCell> serials;
    for (const auto& line : lines) serials.emplace_back(line.first);
    return serials;
  }
};

TEST_F(DetailExportTest, EveryLineInGridOrderAlsoUnreadOnesAndThoseOfCollapsedGroups) {
  PostLines(150);
  Make(DetailLedgerKind::kSubject);
  const std::filesystem::path first = folder_ / "first.xls";
  const std::filesystem::path second = folder_ / "second.xls";
  save_files_.answers = {QString::fromStdString(first.string()), QString::fromStdString(second.string())};
  Show(SubjectRequest("3001", "节余\\中行"), [&] {
    // Part way down the lines read so far.
    Grid().SetCurrentPosition(60);
    GridView& view = *Grid().View();
    const int scrolled = view.verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    ASSERT_LT(Model().LoadedRowCount(), 151u);
    Click("BitBtn1");
    EXPECT_EQ(Grid().CurrentPosition(), 60u);
    EXPECT_EQ(view.verticalScrollBar()->value(), scrolled);

    // Moved, sorted and grouped, the groups collapsed.
    Grid().Header()->moveSection(Grid().Header()->visualIndex(Model().ColumnOf("je")), 0);
    Grid().SortBy("je", Qt::DescendingOrder);
    Grid().GroupBy("ym");
    Click("BitBtn3");
    Grid().SetCurrentPosition(100);
    const std::optional<size_t> focused = Grid().CurrentPosition();
    Click("BitBtn1");
    EXPECT_EQ(Grid().CurrentPosition(), focused);
    EXPECT_FALSE(Grid().View()->isExpanded(Model().index(0, 0)));
  });
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join("\n").toStdString();

  const test::ReadSheet unarranged = test::ReadXls(first).sheets.at(0);
  EXPECT_THAT(HeaderOf(unarranged), ElementsAre("类别", "流水号", "日期", "摘要", "金额", "科目编号", "科目名称",
                                                "年月", "年", "用户编号", "用户名称"));
  ASSERT_EQ(unarranged.rows.size(), 152u);
  EXPECT_EQ(SheetColumn(unarranged, "流水号"), Serials([](const auto& a, const auto& b) { return a.first > b.first; }));
  const std::vector<XlsCell> first_line = {std::string("支出"),
                                           151.0,
                                           std::string("2005.02.14"),
                                           std::string("晚餐"),
                                           -12.25,
                                           std::string("3001"),
                                           std::string("节余\\中行"),
                                           std::string("2005.02"),
                                           std::string("2005"),
                                           std::string("0001"),
                                           std::string("记账员")};
  for (size_t column = 0; column < first_line.size(); ++column) {
    EXPECT_EQ(unarranged.Value(1, column), first_line[column]) << column;
  }
  EXPECT_EQ(unarranged.rows[1][4].format, "0.00;-0.00");

  const test::ReadSheet arranged = test::ReadXls(second).sheets.at(0);
  EXPECT_THAT(HeaderOf(arranged), ElementsAre("金额", "类别", "流水号", "日期", "摘要", "科目编号", "科目名称", "年月",
                                              "年", "用户编号", "用户名称"));
  ASSERT_EQ(arranged.rows.size(), 152u);
  // By month, and within a month by amount, largest first.
  const auto month = [](double serial) { return serial <= 31 ? 1 : serial <= 59 || serial == 151 ? 2 : 3; };
  EXPECT_EQ(SheetColumn(arranged, "流水号"), Serials([&](const auto& a, const auto& b) {
              return month(a.first) != month(b.first) ? month(a.first) < month(b.first) : a.second > b.second;
            }));
}

TEST_F(DetailExportTest, ProposedNamesDialogTextsAndTheDefaultExtension) {
  PostLines(2);
  const DetailRequest period = PeriodRequest("3001", "节余\\中行", "2005.01.01", "2005.03.31");
  const DetailRequest subject = SubjectRequest("3001001", "节余\\中行\\活期");
  const struct {
    DetailLedgerKind kind;
    DetailRequest request;
    std::string proposed;
    std::string written;  // the file the proposed name gives
    size_t lines;
  } cases[] = {
      // The range dates' full stops: no ".xls" added.
      {DetailLedgerKind::kPeriod, period, "期间发生数明细_节余\\中行_2005.01.01-2005.03.31",
       "期间发生数明细_节余\\中行_2005.01.01-2005.03.31", 3},
      // Backslashes of the long name kept.
      {DetailLedgerKind::kSubject, subject, "科目明细_节余\\中行\\活期", "科目明细_节余\\中行\\活期.xls", 2},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.proposed);
    Make(each.kind);
    save_files_.requests.clear();
    save_files_.answers = {QString::fromStdString((folder_ / each.proposed).string())};
    Show(each.request, [&] { Click("BitBtn1"); });
    ASSERT_EQ(save_files_.requests.size(), 1);
    EXPECT_EQ(save_files_.requests[0],
              (SaveFileRequest{QString::fromUtf8(kExcelDialogTitle), QString::fromStdString(folder_.Path().string()),
                               QString::fromStdString(each.proposed), QString::fromUtf8(kExcelFileFilter),
                               QStringLiteral("xls")}));
    EXPECT_EQ(test::ReadXls(folder_ / each.written).sheets.at(0).rows.size(), 1 + each.lines);
  }
}

TEST_F(DetailExportTest, ACancelWritesNothingAndAnUnwritableFileIsReportedWithTheGridUnchanged) {
  PostLines(5);
  Make(DetailLedgerKind::kSubject);
  const auto files = [&] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> before = files();
  const std::filesystem::path nowhere = folder_ / "no such folder" / "明细.xls";
  save_files_.answers = {std::nullopt, QString::fromStdString(nowhere.string())};
  Show(SubjectRequest("3001", "节余\\中行"), [&] {
    Grid().SetCurrentPosition(3);
    Click("BitBtn1");
    Click("BitBtn1");
    EXPECT_EQ(Grid().CurrentPosition(), 3u);
    EXPECT_EQ(Model().DataRowCount(), 6u);
  });
  EXPECT_EQ(save_files_.requests.size(), 2);
  EXPECT_EQ(files(), before);
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(
      messages_.errors[0].startsWith(QString::fromStdString("Cannot create file \"" + nowhere.string() + "\". ")))
      << messages_.errors[0].toStdString();
}

TEST_F(DetailLedgerTest, PlacementIsReadAtCreationAndWrittenAtProgramEnd) {
  const struct {
    DetailLedgerKind kind;
    const char* section;
  } kinds[] = {{DetailLedgerKind::kPeriod, "FSSMXFrm"}, {DetailLedgerKind::kSubject, "YEMXFrm"}};
  for (const auto& [kind, section] : kinds) {
    SCOPED_TRACE(section);
    std::filesystem::remove(SettingsPath());
    // Nothing stored: normal, at 2, 2, 707 by 457.
    EXPECT_FALSE(Make(kind).isMaximized());
    EXPECT_EQ(window_->geometry(), QRect(2, 2, 707, 457));

    SettingsFile settings(SettingsPath());
    settings.WriteIntegers(section, {{"Windows", 2}, {"Top", 30}, {"Left", -500}, {"Width", 640}, {"Height", 300}});
    EXPECT_EQ(Make(kind).geometry(), QRect(-500, 30, 640, 300));
    window_->setGeometry(40, 50, 600, 400);
    window_->StorePlacement();
    for (const auto& [key, value] :
         {std::pair{"Windows", 0}, {"Top", 50}, {"Left", 40}, {"Width", 600}, {"Height", 400}}) {
      EXPECT_EQ(settings.ReadInteger(section, key, -1), value) << key;
    }

    settings.WriteInteger(section, "Windows", 1);
    Make(kind);
    Show(SubjectRequest("3", "节余"), [&] { EXPECT_TRUE(window_->isMaximized()); });
    window_->StorePlacement();
    EXPECT_EQ(settings.ReadInteger(section, "Windows", -1), 1);
  }
}

}  // namespace
}  // namespace money
