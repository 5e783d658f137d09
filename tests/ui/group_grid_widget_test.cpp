#include "ui/group_grid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLocale>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "storage/lookup_table.h"
#include "subjects/subject_codes.h"
#include "support/ledger_fixture.h"
#include "transactions/posting_engine.h"
#include "ui/grid_column_drag.h"
#include "ui/grid_filter_list.h"
#include "ui/grid_footer.h"
#include "ui/grid_header.h"
#include "ui/grid_indicator.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/group_panel.h"

namespace money {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr const char* kIncomeList = "select * from B_SZ where lb=1 order by lsh desc";

// Everything QAbstractItemModelTester finds wrong with a model while it watches it.
class ModelCheck {
 public:
  explicit ModelCheck(QAbstractItemModel* model) {
    Reports().clear();
    previous_ = qInstallMessageHandler(&Collect);
    tester_ = std::make_unique<QAbstractItemModelTester>(model, QAbstractItemModelTester::FailureReportingMode::Warning);
  }
  ~ModelCheck() {
    tester_.reset();
    qInstallMessageHandler(previous_);
  }
  static std::vector<std::string>& Reports() {
    static std::vector<std::string> reports;
    return reports;
  }

 private:
  static void Collect(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtDebugMsg && context.category != nullptr && std::string(context.category) == "qt.modeltest") {
      Reports().push_back(text.toStdString());
    }
  }

  QtMessageHandler previous_ = nullptr;
  std::unique_ptr<QAbstractItemModelTester> tester_;
};

// An income journal as its window shows it, over a ledger whose entries are posted through the engine.
class GroupGridTest : public test::LedgerFixture {
 protected:
  GroupGridTest() : previous_locale_(QLocale()) {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    db_.RelaxDurabilityForBulkLoad();
    AddSubject("1001", "工资");
    AddSubject("1002", "奖金");
    AddSubject("1003", "利息");
    AddSubject("1004", "Bonus");
    AddSubject("3001", "现金");
    AddSubject("3002", "银行");
    AddSubject("3002001", "活期");
  }
  ~GroupGridTest() override { QLocale::setDefault(previous_locale_); }

  long long Post(const std::string& date, const std::string& source, const std::string& destination, double amount,
                 const std::string& memo = "") {
    NewEntry entry;
    entry.kind = EntryKind::Income;
    entry.date = date;
    entry.source = {source, LevelOfCode(source)};
    entry.destination = {destination, LevelOfCode(destination)};
    entry.amount = amount;
    entry.memo = memo;
    entry.operator_code = "9999";
    entry.operator_name = "系统管理员";
    const PostingResult result = PostEntry(db_, entry);
    if (!result.ok) throw std::runtime_error(result.detail);
    return result.serial;
  }

  // Six entries over three months (serial numbers 1 to 6).
  void PostSmallJournal() {
    Post("2005.01.03", "1001", "3001", 100, "一月工资");
    Post("2005.01.20", "1002", "3002001", 20.5, "奖金");
    Post("2005.02.01", "1004", "3001", -20, "冲回");
    Post("2005.02.14", "1003", "3002001", 3.25, "利息");
    Post("2005.03.01", "1001", "3001", 1234.567, "三月工资");
    Post("2005.03.09", "1002", "3001", 0.433, "零钱");
  }

  // `count` entries, one a day from 2004.01.01 on, of amounts 1, 2, 3, ...
  void PostLargeJournal(int count) {
    for (int i = 0; i < count; ++i) {
      const int month = i / 28;
      char date[11];
      std::snprintf(date, sizeof date, "%04d.%02d.%02d", 2004 + month / 12, month % 12 + 1, i % 28 + 1);
      Post(date, i % 2 == 0 ? "1001" : "1003", "3001", i + 1.0, "第" + std::to_string(i + 1) + "笔");
    }
  }

  // The income window's columns, with the hidden short names for the edit dialog.
  std::vector<GridColumn> JournalColumns() {
    const auto subjects = std::make_shared<LookupTable>(db_, "select * from B_KM order by id", "id");
    return {
        PlainColumn("lsh", "流水号", 65),
        PlainColumn("ymd", "时间", 74),
        PlainColumn("zy", "摘要", 146),
        PlainColumn("je", "金额", 96, "0.00;-0.00"),
        PlainColumn("kmbhs", "源(收入)科目编号", 78),
        LookupColumn("kmmcs", "源(收入)科目名称", 136, subjects, "kmbhs", "lmc"),
        PlainColumn("kmbhd", "目的(节余)科目编号", 74),
        LookupColumn("kmmcd", "目的(节余)科目名称", 128, subjects, "kmbhd", "lmc"),
        YearColumn(),
        YearMonthColumn(),
        PlainColumn("UID", "用户编号", 54),
        PlainColumn("UNAME", "用户名称", 134),
        HiddenColumn(LookupColumn("skmmcs", "", 0, subjects, "kmbhs", "mc")),
        HiddenColumn(LookupColumn("skmmcd", "", 0, subjects, "kmbhd", "mc")),
    };
  }

  void OpenJournal(size_t batch = GridModel::kDefaultBatchSize) {
    grid_.SetColumns(JournalColumns());
    grid_.SetSummaries({AmountTotal("je")});
    grid_.SetBatchSize(batch);
    grid_.Open(db_, kIncomeList);
    grid_.resize(900, 400);
    grid_.show();
    QApplication::processEvents();
  }

  GridModel& Model() { return *grid_.Model(); }

  // The texts of a column over the rows in grid order.
  std::vector<std::string> Column(const std::string& field) {
    std::vector<std::string> texts;
    for (size_t row : grid_.RowsInGridOrder()) texts.push_back(Model().CellText(row, Model().ColumnOf(field)));
    return texts;
  }

  std::vector<std::string> TopLevelTexts() {
    std::vector<std::string> texts;
    for (int row = 0; row < Model().rowCount(); ++row) texts.push_back(Model().index(row, 0).data().toString().toStdString());
    return texts;
  }

  QLocale previous_locale_;
  GroupGrid grid_;
};

TEST_F(GroupGridTest, OpeningReadsOneBatchAndScrollingReadsMore) {
  PostLargeJournal(250);
  OpenJournal(100);
  EXPECT_EQ(Model().LoadedRowCount(), 100u);
  EXPECT_EQ(Model().rowCount(), 100);
  EXPECT_TRUE(Model().canFetchMore({}));
  EXPECT_EQ(grid_.CurrentText("lsh"), "250");

  QScrollBar* scroll = grid_.View()->verticalScrollBar();
  scroll->setValue(scroll->maximum());
  EXPECT_EQ(Model().LoadedRowCount(), 200u);
  QApplication::processEvents();
  scroll->setValue(scroll->maximum());
  EXPECT_EQ(Model().LoadedRowCount(), 250u);
  EXPECT_FALSE(Model().canFetchMore({}));
  EXPECT_EQ(Model().rowCount(), 250);
  // The tester fetches more whenever the model changes, even amid a reset, so it watches only once
  // every row is read.
  grid_.Last();
  ModelCheck check(grid_.Model());
  grid_.SortBy("je", Qt::DescendingOrder);
  EXPECT_EQ(grid_.CurrentPosition(), 249u);
  grid_.ClearSort();
  EXPECT_EQ(grid_.CurrentText("lsh"), "1");
  EXPECT_THAT(ModelCheck::Reports(), IsEmpty());
}

TEST_F(GroupGridTest, ColumnsTakeCaptionsWidthsFormatsCalculationsAndLookups) {
  PostSmallJournal();
  OpenJournal();
  const GridHeader& header = *grid_.Header();
  const int je = Model().ColumnOf("je");
  EXPECT_EQ(Model().headerData(je, Qt::Horizontal).toString(), QString("金额"));
  EXPECT_EQ(header.sectionSize(je), 96);
  EXPECT_EQ(header.sectionSize(Model().ColumnOf("kmmcs")), 136);
  EXPECT_EQ(header.sectionSize(Model().ColumnOf("ym")), header.defaultSectionSize());
  EXPECT_TRUE(header.isSectionHidden(Model().ColumnOf("skmmcs")));
  EXPECT_FALSE(header.isSectionHidden(Model().ColumnOf("ym")));

  // Newest first; the fifth entry carries the long amount, the third the negative one.
  EXPECT_THAT(Column("lsh"), ElementsAre("6", "5", "4", "3", "2", "1"));
  EXPECT_THAT(Column("je"), ElementsAre("0.43", "1234.57", "3.25", "-20.00", "20.50", "100.00"));
  EXPECT_THAT(Column("ym"), ElementsAre("2005.03", "2005.03", "2005.02", "2005.02", "2005.01", "2005.01"));
  EXPECT_THAT(Column("yy"), ElementsAre("2005", "2005", "2005", "2005", "2005", "2005"));
  EXPECT_THAT(Column("kmmcs"), ElementsAre("收入\\奖金", "收入\\工资", "收入\\利息", "收入\\Bonus", "收入\\奖金", "收入\\工资"));
  EXPECT_THAT(Column("kmmcd"), ElementsAre("节余\\现金", "节余\\现金", "节余\\银行\\活期", "节余\\现金", "节余\\银行\\活期", "节余\\现金"));

  const QModelIndex amount = Model().index(0, je);
  EXPECT_EQ(amount.data().toString(), QString("0.43"));
  EXPECT_TRUE(amount.data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
  EXPECT_FALSE(amount.flags() & Qt::ItemIsEditable);
  EXPECT_EQ(grid_.View()->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_TRUE(header.sectionsMovable());
  EXPECT_EQ(header.sectionResizeMode(je), QHeaderView::Interactive);
}

TEST_F(GroupGridTest, CurrentRowIsReadByAnyFieldName) {
  PostSmallJournal();
  OpenJournal();
  grid_.SetCurrentPosition(2);
  EXPECT_EQ(grid_.CurrentValue("lsh"), FieldValue(4LL));
  EXPECT_EQ(grid_.CurrentText("ymd"), "2005.02.14");
  EXPECT_EQ(grid_.CurrentNumber("je"), 3.25);
  EXPECT_EQ(grid_.CurrentText("kmbhd"), "3002001");
  EXPECT_EQ(grid_.CurrentText("kmmcd"), "节余\\银行\\活期");
  EXPECT_EQ(grid_.CurrentText("skmmcd"), "活期");
  EXPECT_EQ(grid_.CurrentText("skmmcs"), "利息");
  EXPECT_EQ(grid_.CurrentText("ym"), "2005.02");
  EXPECT_EQ(grid_.CurrentText("lb"), "1");  // a field of the query without a column
  EXPECT_EQ(grid_.CurrentText("UNAME"), "系统管理员");
  EXPECT_EQ(grid_.CurrentText("no such field"), "");
}

TEST_F(GroupGridTest, LookupOfASubjectAddedAfterOpeningIsEmpty) {
  PostSmallJournal();
  OpenJournal();
  AddSubject("1005", "租金");
  Post("2005.04.01", "1005", "3001", 50);
  grid_.Refresh();
  EXPECT_EQ(grid_.CurrentText("lsh"), "7");
  EXPECT_EQ(grid_.CurrentText("kmbhs"), "1005");
  EXPECT_EQ(grid_.CurrentText("kmmcs"), "");
}

TEST_F(GroupGridTest, HeaderClickSortsTextsByTheLocalesCollationAndNumbersByValue) {
  PostSmallJournal();
  OpenJournal();
  const GridHeader& header = *grid_.Header();
  const auto click = [&](const std::string& field) {
    const int column = Model().ColumnOf(field);
    const QPoint centre(header.sectionViewportPosition(column) + header.sectionSize(column) / 3, header.height() / 2);
    QTest::mouseClick(grid_.Header()->viewport(), Qt::LeftButton, {}, centre);
  };

  click("kmmcs");
  EXPECT_EQ(header.sortIndicatorSection(), Model().ColumnOf("kmmcs"));
  // Pinyin order, Latin after Chinese; equal names keep the query's order (newest first).
  EXPECT_THAT(Column("kmmcs"), ElementsAre("收入\\工资", "收入\\工资", "收入\\奖金", "收入\\奖金", "收入\\利息", "收入\\Bonus"));
  EXPECT_THAT(Column("lsh"), ElementsAre("5", "1", "6", "2", "4", "3"));
  click("kmmcs");
  EXPECT_THAT(Column("kmmcs"), ElementsAre("收入\\Bonus", "收入\\利息", "收入\\奖金", "收入\\奖金", "收入\\工资", "收入\\工资"));

  click("je");
  EXPECT_THAT(Column("je"), ElementsAre("-20.00", "0.43", "3.25", "20.50", "100.00", "1234.57"));
  grid_.SortBy("lsh", Qt::AscendingOrder);
  EXPECT_THAT(Column("lsh"), ElementsAre("1", "2", "3", "4", "5", "6"));
  grid_.ClearSort();
  EXPECT_THAT(Column("lsh"), ElementsAre("6", "5", "4", "3", "2", "1"));
}

TEST_F(GroupGridTest, SortingKeepsTheCurrentRowAndReadsEveryRow) {
  PostLargeJournal(250);
  OpenJournal(100);
  grid_.SetCurrentPosition(10);
  EXPECT_EQ(grid_.CurrentText("lsh"), "240");
  grid_.SortBy("lsh", Qt::AscendingOrder);
  EXPECT_EQ(Model().LoadedRowCount(), 250u);
  EXPECT_EQ(grid_.CurrentText("lsh"), "240");
  EXPECT_EQ(grid_.CurrentPosition(), 239u);
}

TEST_F(GroupGridTest, GroupingByMonthShowsOneGroupPerMonthWithItsTotal) {
  PostSmallJournal();
  ModelCheck check(grid_.Model());
  OpenJournal();
  grid_.GroupBy("ym");
  EXPECT_THAT(grid_.GroupedFields(), ElementsAre("ym"));
  EXPECT_TRUE(grid_.Header()->isSectionHidden(Model().ColumnOf("ym")));
  EXPECT_THAT(TopLevelTexts(), ElementsAre("年月 : 2005.01  合计 = 120.5", "年月 : 2005.02  合计 = -16.75",
                                           "年月 : 2005.03  合计 = 1235"));
  const QModelIndex march = Model().index(2, 0);
  EXPECT_EQ(Model().KindOf(march), GridModel::RowKind::kGroup);
  ASSERT_EQ(Model().rowCount(march), 2);
  EXPECT_EQ(Model().index(0, Model().ColumnOf("lsh"), march).data().toString(), QString("6"));
  EXPECT_EQ(Model().index(1, Model().ColumnOf("lsh"), march).data().toString(), QString("5"));

  // Years outside months: each level totals its own rows.
  grid_.GroupBy("yy", 0);
  EXPECT_THAT(grid_.GroupedFields(), ElementsAre("yy", "ym"));
  EXPECT_THAT(TopLevelTexts(), ElementsAre("年 : 2005  合计 = 1338.75"));
  EXPECT_EQ(Model().rowCount(Model().index(0, 0)), 3);

  grid_.Ungroup("yy");
  grid_.Ungroup("ym");
  EXPECT_THAT(grid_.GroupedFields(), IsEmpty());
  EXPECT_FALSE(grid_.Header()->isSectionHidden(Model().ColumnOf("ym")));
  EXPECT_EQ(Model().rowCount(), 6);
  EXPECT_THAT(ModelCheck::Reports(), IsEmpty());
}

TEST_F(GroupGridTest, SeveralSummariesAreJoinedAndFootersCloseEachGroup) {
  PostSmallJournal();
  ModelCheck check(grid_.Model());
  OpenJournal();
  grid_.SetSummaries({AmountTotal("je"), GridSummary{"lsh", SummaryKind::kCount, "个数=0"}});
  grid_.SetGroupFooters(true);
  grid_.GroupBy("kmmcs");
  EXPECT_THAT(TopLevelTexts(), ElementsAre("源(收入)科目名称 : 收入\\工资  合计 = 1334.57, 个数=2",
                                           "源(收入)科目名称 : 收入\\奖金  合计 = 20.93, 个数=2",
                                           "源(收入)科目名称 : 收入\\利息  合计 = 3.25, 个数=1",
                                           "源(收入)科目名称 : 收入\\Bonus  合计 = -20, 个数=1"));
  const QModelIndex wages = Model().index(0, 0);
  ASSERT_EQ(Model().rowCount(wages), 3);
  const QModelIndex footer = Model().index(2, Model().ColumnOf("je"), wages);
  EXPECT_EQ(Model().KindOf(footer), GridModel::RowKind::kFooter);
  EXPECT_EQ(footer.data().toString(), QString("合计 = 1334.57"));
  EXPECT_EQ(footer.siblingAtColumn(Model().ColumnOf("lsh")).data().toString(), QString("个数=2"));
  EXPECT_EQ(footer.siblingAtColumn(Model().ColumnOf("zy")).data().toString(), QString());
  EXPECT_THAT(ModelCheck::Reports(), IsEmpty());
}

TEST_F(GroupGridTest, GroupingReadsEveryRowAndGridOrderTakesInCollapsedGroups) {
  PostLargeJournal(250);
  OpenJournal(100);
  grid_.GroupBy("ym");
  EXPECT_EQ(Model().LoadedRowCount(), 250u);
  EXPECT_EQ(Model().rowCount(), 9);  // 28 entries a month
  // Rows of collapsed groups belong to the grid order too: months ascending, newest first inside.
  const std::vector<size_t> order = grid_.RowsInGridOrder();
  ASSERT_EQ(order.size(), 250u);
  EXPECT_EQ(Model().CellText(order.front(), Model().ColumnOf("lsh")), "28");
  EXPECT_EQ(Model().CellText(order.back(), Model().ColumnOf("lsh")), "225");
  EXPECT_EQ(TopLevelTexts().front(), "年月 : 2004.01  合计 = 406");
}

TEST_F(GroupGridTest, ExpandAndCollapseAllGroups) {
  PostSmallJournal();
  OpenJournal();
  grid_.GroupBy("yy");
  grid_.GroupBy("ym");
  const QModelIndex year = Model().index(0, 0);
  const auto expanded = [&] {
    std::vector<bool> states{grid_.View()->isExpanded(year)};
    for (int month = 0; month < Model().rowCount(year); ++month) {
      states.push_back(grid_.View()->isExpanded(Model().index(month, 0, year)));
    }
    return states;
  };
  grid_.ExpandAll();
  EXPECT_THAT(expanded(), ElementsAre(true, true, true, true));
  grid_.SetCurrentPosition(3);
  grid_.CollapseAll();
  EXPECT_THAT(expanded(), ElementsAre(false, false, false, false));
  EXPECT_EQ(grid_.View()->currentIndex(), year);
  // Moving to a row opens the groups around it.
  grid_.Last();
  EXPECT_THAT(expanded(), ElementsAre(true, false, false, true));
  EXPECT_EQ(grid_.CurrentText("lsh"), "5");
}

TEST_F(GroupGridTest, ValueFilterFromTheHeaderKeepsTheChosenValue) {
  PostSmallJournal();
  ModelCheck check(grid_.Model());
  OpenJournal();
  const int column = Model().ColumnOf("kmmcs");
  QTest::mouseClick(grid_.Header()->viewport(), Qt::LeftButton, {}, grid_.Header()->FilterButtonRect(column).center());
  auto* list = grid_.findChild<GridFilterList*>("FilterList");
  ASSERT_NE(list, nullptr);
  QStringList shown;
  for (int row = 0; row < list->model()->rowCount(); ++row) shown << list->model()->index(row, 0).data().toString();
  EXPECT_EQ(shown, QStringList({kFilterAll, "收入\\工资", "收入\\奖金", "收入\\利息", "收入\\Bonus"}));

  // The filter button of a filtered column turns blue.
  const auto blue_button = [&](int section) {
    const QImage header = grid_.Header()->grab().toImage();
    const QRect button = grid_.Header()->FilterButtonRect(section);
    for (int y = button.top(); y <= button.bottom(); ++y) {
      for (int x = button.left(); x <= button.right(); ++x) {
        const QColor pixel(header.pixel(x, y));
        if (pixel.blue() > 200 && pixel.red() < 80 && pixel.green() < 80) return true;
      }
    }
    return false;
  };
  EXPECT_FALSE(blue_button(column));

  list->Choose("收入\\奖金");
  EXPECT_TRUE(blue_button(column));
  EXPECT_FALSE(blue_button(Model().ColumnOf("je")));
  EXPECT_THAT(Column("lsh"), ElementsAre("6", "2"));
  EXPECT_THAT(Model().Filters().at("kmmcs"), ElementsAre("收入\\奖金"));
  EXPECT_FALSE(grid_.IsEmpty());

  grid_.SetFilter("je", {"20.50", "-20.00"});
  EXPECT_THAT(Column("lsh"), ElementsAre("2"));
  grid_.SetFilter("je", {"-20.00"});
  EXPECT_TRUE(grid_.IsEmpty());
  EXPECT_FALSE(grid_.CurrentPosition().has_value());
  EXPECT_EQ(grid_.CurrentText("lsh"), "");

  grid_.SetFilter("je", {});
  grid_.ShowFilterList("kmmcs")->Choose(std::nullopt);
  EXPECT_EQ(Column("lsh").size(), 6u);
  EXPECT_THAT(Model().Filters(), IsEmpty());
  EXPECT_THAT(ModelCheck::Reports(), IsEmpty());
}

// A grid that offers no value filter: no button, and a click at the header's right edge opens nothing.
TEST_F(GroupGridTest, ValueFilterCanBeWithheld) {
  PostSmallJournal();
  grid_.SetValueFilterOffered(false);
  OpenJournal();
  const int column = Model().ColumnOf("kmmcs");
  EXPECT_TRUE(grid_.Header()->FilterButtonRect(column).isEmpty());
  const int right = grid_.Header()->sectionViewportPosition(column) + grid_.Header()->sectionSize(column) - 3;
  QTest::mouseClick(grid_.Header()->viewport(), Qt::LeftButton, {}, QPoint(right, grid_.Header()->height() / 2));
  const auto* list = grid_.findChild<GridFilterList*>("FilterList");
  EXPECT_TRUE(list == nullptr || !list->isVisible());
  EXPECT_THAT(Model().Filters(), IsEmpty());
}

TEST_F(GroupGridTest, NavigatorMovesOverDataRowsAndReadsOnPastTheBatch) {
  PostLargeJournal(250);
  OpenJournal(100);
  grid_.SetCurrentPosition(99);
  grid_.Next();
  EXPECT_EQ(grid_.CurrentText("lsh"), "150");
  EXPECT_EQ(Model().LoadedRowCount(), 200u);
  grid_.Prior();
  EXPECT_EQ(grid_.CurrentText("lsh"), "151");
  grid_.Last();
  EXPECT_EQ(grid_.CurrentText("lsh"), "1");
  grid_.Next();
  EXPECT_EQ(grid_.CurrentText("lsh"), "1");
  grid_.First();
  EXPECT_EQ(grid_.CurrentText("lsh"), "250");
  grid_.Prior();
  EXPECT_EQ(grid_.CurrentText("lsh"), "250");

  // From a group row, Next goes to the group's first row.
  grid_.GroupBy("ym");
  grid_.CollapseAll();
  grid_.View()->setCurrentIndex(Model().index(1, 0));
  grid_.Next();
  EXPECT_EQ(grid_.CurrentText("lsh"), "56");
}

TEST_F(GroupGridTest, RefreshReadsTheListAgainAndKeepsTheArrangement) {
  PostSmallJournal();
  ModelCheck check(grid_.Model());
  OpenJournal();
  grid_.SetKeyField("lsh");
  grid_.GroupBy("yy");
  grid_.GroupBy("ym");
  const auto month = [&](int row) { return Model().index(row, 0, Model().index(0, 0)); };
  grid_.SetCurrentPosition(2);  // serial 4, in February
  grid_.View()->collapse(month(2));
  const auto opened = [&] {
    std::vector<bool> states{grid_.View()->isExpanded(Model().index(0, 0))};
    for (int row = 0; row < Model().rowCount(Model().index(0, 0)); ++row) {
      states.push_back(grid_.View()->isExpanded(month(row)));
    }
    return states;
  };
  ASSERT_THAT(opened(), ElementsAre(true, false, true, false));

  // A new entry in closed January, one in a new month.
  Post("2005.01.25", "1001", "3001", 10);
  Post("2005.04.01", "1001", "3001", 5);
  grid_.Refresh();
  EXPECT_THAT(TopLevelTexts(), ElementsAre("年 : 2005  合计 = 1353.75"));
  EXPECT_EQ(month(0).data().toString(), QString("年月 : 2005.01  合计 = 130.5"));
  EXPECT_THAT(opened(), ElementsAre(true, false, true, false, false));
  EXPECT_TRUE(grid_.CurrentIsDataRow());
  EXPECT_EQ(grid_.CurrentText("lsh"), "4");
  EXPECT_EQ(grid_.CurrentPosition(), 3u);

  // Ungrouped, a refresh stands on the first row.
  grid_.Ungroup("ym");
  grid_.Ungroup("yy");
  grid_.Refresh();
  EXPECT_EQ(grid_.View()->currentIndex(), Model().index(0, 0));
  EXPECT_EQ(grid_.CurrentText("lsh"), "8");
  EXPECT_THAT(ModelCheck::Reports(), IsEmpty());
}

TEST_F(GroupGridTest, GroupedRefreshWithoutTheFocusedEntryTakesTheRowNowAtItsPlace) {
  PostSmallJournal();
  OpenJournal();
  grid_.SetKeyField("lsh");
  grid_.GroupBy("ym");
  const auto remove = [&](long long serial, const char* source, const char* destination, double amount) {
    ASSERT_TRUE(DeleteEntry(db_, StoredEntry{EntryKind::Income, serial, source, destination, amount}).ok);
    grid_.Refresh();
  };
  // Serial 3 closes February; March is closed: the row after it is March's first, and March opens.
  grid_.SetCurrentPosition(3);
  grid_.View()->collapse(Model().index(2, 0));
  remove(3, "1004", "3001", -20);
  EXPECT_EQ(grid_.CurrentText("lsh"), "6");
  EXPECT_TRUE(grid_.View()->isExpanded(Model().index(2, 0)));

  // The last row gone: the new last row.
  grid_.Last();
  remove(5, "1001", "3001", 1234.567);
  EXPECT_EQ(grid_.CurrentText("lsh"), "6");
  EXPECT_EQ(grid_.CurrentPosition(), 3u);

  // A focused group row stays focused, with its group closed as it was.
  grid_.CollapseAll();
  Post("2005.03.20", "1001", "3001", 1);
  grid_.Refresh();
  EXPECT_FALSE(grid_.CurrentIsDataRow());
  EXPECT_EQ(grid_.View()->currentIndex(), Model().index(2, 0));
  EXPECT_FALSE(grid_.View()->isExpanded(Model().index(2, 0)));
  EXPECT_EQ(Model().rowCount(Model().index(2, 0)), 2);
}

TEST_F(GroupGridTest, EmptyJournalHasNoCurrentRow) {
  OpenJournal();
  EXPECT_TRUE(grid_.IsEmpty());
  EXPECT_FALSE(grid_.CurrentPosition().has_value());
  grid_.First();
  grid_.Next();
  grid_.Last();
  EXPECT_EQ(grid_.CurrentText("lsh"), "");
  grid_.GroupBy("ym");
  EXPECT_EQ(Model().rowCount(), 0);
}

// Row 150 of this query cannot be read.
constexpr const char* kFailingList =
    "with recursive n(i) as (select 1 union all select i+1 from n where i<300) "
    "select i as lsh, case when i = 150 then abs(i - i - 9223372036854775807 - 1) else i end as je from n";

TEST_F(GroupGridTest, ReadFailuresShowTheRowsReadAndLeaveTheModelWhole) {
  grid_.SetColumns({PlainColumn("lsh", "流水号"), PlainColumn("je", "金额")});
  grid_.Open(db_, kFailingList);
  EXPECT_EQ(Model().rowCount(), 100);
  EXPECT_THROW(Model().fetchMore({}), DatabaseError);
  EXPECT_EQ(Model().rowCount(), 149);
  EXPECT_EQ(Model().index(148, 0).data().toString(), QString("149"));

  grid_.Open(db_, kFailingList);
  EXPECT_THROW(grid_.GroupBy("je"), DatabaseError);
  EXPECT_FALSE(Model().IsOpen());
  EXPECT_EQ(Model().rowCount(), 0);
  EXPECT_TRUE(grid_.IsEmpty());
}

// A double-click as the platform delivers it: press, release, double-click, release.
void DoubleClick(QWidget* widget, QPoint position) {
  QTest::mousePress(widget, Qt::LeftButton, {}, position);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, position);
  QTest::mouseDClick(widget, Qt::LeftButton, {}, position);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, position);
}

TEST_F(GroupGridTest, DoubleClickReportsRowsButOpensGroups) {
  PostSmallJournal();
  OpenJournal();
  QSignalSpy double_clicks(&grid_, &GroupGrid::RowDoubleClicked);
  QWidget* rows = grid_.View()->viewport();
  DoubleClick(rows, grid_.View()->visualRect(Model().index(1, 1)).center());
  EXPECT_EQ(double_clicks.count(), 1);

  grid_.GroupBy("ym");
  grid_.CollapseAll();
  const QModelIndex january = Model().index(0, 0);
  DoubleClick(rows, grid_.View()->visualRect(january).center());
  EXPECT_EQ(double_clicks.count(), 1);
  EXPECT_TRUE(grid_.View()->isExpanded(january));

  // Below the last row, too: the journal window answers it when the list is empty.
  DoubleClick(rows, QPoint(20, rows->height() - 5));
  EXPECT_EQ(double_clicks.count(), 2);
}

// The panel's colours and the hint's place, as painted.
TEST_F(GroupGridTest, GroupPanelPaintsItsBackgroundAndTheHintAtTenSix) {
  PostSmallJournal();
  OpenJournal();
  GroupPanel& panel = *grid_.Panel();
  const QColor background(192, 220, 192);
  const auto is_text = [&](QRgb pixel) { return QColor(pixel) != background; };
  const auto blue_text = [&](QRgb pixel) { return is_text(pixel) && qBlue(pixel) > qGreen(pixel) && qBlue(pixel) > qRed(pixel); };

  QImage empty = panel.grab().toImage();
  EXPECT_EQ(QColor(empty.pixel(2, 2)), background);
  EXPECT_EQ(QColor(empty.pixel(empty.width() - 3, empty.height() - 3)), background);
  bool hint = false;
  for (int y = 0; y < empty.height(); ++y) {
    for (int x = 0; x < empty.width(); ++x) {
      if (!is_text(empty.pixel(x, y))) continue;
      EXPECT_GE(x, GroupPanel::kHintLeft);
      EXPECT_GE(y, GroupPanel::kHintTop);
      hint = hint || blue_text(empty.pixel(x, y));
    }
  }
  EXPECT_TRUE(hint);

  grid_.GroupBy("ym");
  QImage grouped = panel.grab().toImage();
  EXPECT_EQ(QColor(grouped.pixel(2, 2)), background);
  const QRect box = panel.GroupRect(0);
  EXPECT_EQ(box.topLeft(), QPoint(GroupPanel::kHintLeft, GroupPanel::kHintTop));
  EXPECT_NE(QColor(grouped.pixel(box.center())), background);
  // No hint beyond the group's box.
  for (int x = box.right() + 4; x < grouped.width(); ++x) EXPECT_EQ(QColor(grouped.pixel(x, box.center().y())), background);
}

TEST_F(GroupGridTest, HeadersDroppedOnThePanelGroupAndDroppedBackUngroup) {
  PostSmallJournal();
  OpenJournal();
  GroupPanel& panel = *grid_.Panel();
  const auto drop = [&](QWidget* target, const std::string& field, QPoint where, const QObject* owner) {
    std::unique_ptr<QMimeData> data(ColumnDragData(owner, field));
    QDragEnterEvent enter(where, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(where, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
  };

  EXPECT_TRUE(drop(&panel, "ym", QPoint(30, 10), &grid_));
  EXPECT_THAT(grid_.GroupedFields(), ElementsAre("ym"));
  // Left of the month's box: the year becomes the outer level.
  EXPECT_TRUE(drop(&panel, "yy", QPoint(panel.GroupRect(0).left() + 1, 10), &grid_));
  EXPECT_THAT(grid_.GroupedFields(), ElementsAre("yy", "ym"));
  // A header of another grid is refused.
  GroupGrid other;
  EXPECT_FALSE(drop(&panel, "zy", QPoint(30, 10), &other));
  EXPECT_THAT(grid_.GroupedFields(), ElementsAre("yy", "ym"));

  EXPECT_TRUE(drop(grid_.Header()->viewport(), "yy", QPoint(40, 5), &grid_));
  EXPECT_THAT(grid_.GroupedFields(), ElementsAre("ym"));
  EXPECT_TRUE(drop(grid_.View()->viewport(), "ym", QPoint(40, 40), &grid_));
  EXPECT_THAT(grid_.GroupedFields(), IsEmpty());
}

TEST_F(GroupGridTest, DraggingAHeaderUpwardStartsAGroupDragAndSidewaysMovesIt) {
  PostSmallJournal();
  OpenJournal();
  GridHeader& header = *grid_.Header();
  QSignalSpy group_drags(&header, &GridHeader::GroupDragStarted);
  const int zy = Model().ColumnOf("zy");
  const QPoint start(header.sectionViewportPosition(zy) + 30, header.height() / 2);
  QTest::mousePress(header.viewport(), Qt::LeftButton, {}, start);
  QMouseEvent upward(QEvent::MouseMove, start - QPoint(0, 30), header.viewport()->mapToGlobal(start - QPoint(0, 30)),
                     Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(header.viewport(), &upward);
  QTest::mouseRelease(header.viewport(), Qt::LeftButton, {}, start - QPoint(0, 30));
  ASSERT_EQ(group_drags.count(), 1);
  EXPECT_EQ(group_drags.front().front().toInt(), zy);
  EXPECT_EQ(header.sortIndicatorSection(), -1);

  const int lsh = Model().ColumnOf("lsh");
  EXPECT_EQ(header.visualIndex(zy), 2);
  QTest::mousePress(header.viewport(), Qt::LeftButton, {}, start);
  for (const int step : {10, 40, 90, 130}) {
    const QPoint to = start + QPoint(-step, 0);
    QMouseEvent sideways(QEvent::MouseMove, to, header.viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(header.viewport(), &sideways);
  }
  QTest::mouseRelease(header.viewport(), Qt::LeftButton, {}, start + QPoint(-130, 0));
  EXPECT_EQ(group_drags.count(), 1);
  EXPECT_EQ(header.visualIndex(zy), 1);
  EXPECT_EQ(header.visualIndex(lsh), 0);
  EXPECT_EQ(header.sortIndicatorSection(), -1);
}

TEST_F(GroupGridTest, SummaryFooterAndRowIndicatorFollowTheColumnsAndTheCurrentRow) {
  PostSmallJournal();
  OpenJournal();
  grid_.SetFooterVisible(true);
  grid_.SetFooterText("lsh", "个数=6", Qt::AlignLeft);
  grid_.SetFooterText("je", "1338.75", Qt::AlignRight);
  QApplication::processEvents();
  GridFooter& footer = *grid_.Footer();
  const GridHeader& header = *grid_.Header();
  const int je = Model().ColumnOf("je");
  const int header_left = grid_.View()->viewport()->geometry().left();
  EXPECT_EQ(footer.Text(je), QString("1338.75"));
  EXPECT_EQ(footer.CellRect(je).left(), header_left + header.sectionViewportPosition(je));
  EXPECT_EQ(footer.CellRect(je).width(), 96);
  grid_.Header()->moveSection(header.visualIndex(je), 0);
  EXPECT_EQ(footer.CellRect(je).left(), header_left);
  grid_.ClearFooter();
  EXPECT_EQ(footer.Text(je), QString());

  // The indicator's triangle lies in the current row's band, and moves with it.
  GridIndicator& indicator = *grid_.Indicator();
  const auto marked_band = [&] {
    const QImage image = indicator.grab().toImage();
    int top = image.height();
    int bottom = -1;
    for (int y = grid_.View()->viewport()->geometry().top(); y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 80) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
    }
    return std::make_pair(top, bottom);
  };
  for (const size_t position : {0u, 3u}) {
    grid_.SetCurrentPosition(position);
    const QRect row = grid_.View()->visualRect(Model().IndexOfPosition(position))
                          .translated(0, grid_.View()->viewport()->geometry().top());
    const auto [top, bottom] = marked_band();
    EXPECT_GE(top, row.top()) << position;
    EXPECT_LE(bottom, row.bottom()) << position;
    EXPECT_LT(top, bottom) << position;
  }
}

TEST_F(GroupGridTest, ExportAndPrintTakeTheColumnsInDisplayOrderAndEveryRow) {
  PostSmallJournal();
  OpenJournal();
  grid_.Header()->moveSection(grid_.Header()->visualIndex(Model().ColumnOf("je")), 0);
  const std::vector<int> columns = grid_.DisplayedColumns();
  ASSERT_EQ(columns.size(), 12u);
  EXPECT_EQ(columns[0], Model().ColumnOf("je"));
  EXPECT_EQ(columns[1], Model().ColumnOf("lsh"));

  grid_.GroupBy("ym");
  grid_.CollapseAll();
  grid_.View()->expand(Model().index(2, 0));
  const PrintTable table = grid_.PrintState();
  ASSERT_EQ(table.columns.size(), 11u);  // the grouped month is in the panel
  EXPECT_EQ(table.columns[0].caption, QString("金额"));
  EXPECT_TRUE(table.tree_lines);
  ASSERT_EQ(table.rows.size(), 5u);
  // Group rows: the grouped value first, the amount total in the amount column (here that same cell).
  EXPECT_EQ(table.rows[0].cells[0], QString("年月 : 2005.01  合计 = 120.5"));
  EXPECT_EQ(table.rows[2].cells[0], QString("年月 : 2005.03  合计 = 1235"));
  EXPECT_EQ(table.rows[2].cells[1], QString());
  EXPECT_TRUE(table.rows[2].expanded);
  EXPECT_EQ(table.rows[3].cells[0], QString("0.43"));
  EXPECT_EQ(table.rows[3].level, 1);
  EXPECT_THAT(grid_.RowsInGridOrder(), ElementsAreArray({4u, 5u, 2u, 3u, 0u, 1u}));
}

}  // namespace
}  // namespace money
