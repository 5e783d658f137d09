#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "reports/tree_text_export.h"
#include "subjects/subject_store.h"
#include "support/ledger_fixture.h"
#include "ui/tree_list.h"
#include "ui/tree_list_model.h"

namespace money {
namespace {

using ::testing::ElementsAre;

constexpr const char* kChart = "select * from B_KM order by id";

// What the model tester reports; it warns instead of aborting so that a fault fails only its test.
std::vector<std::string>* model_faults = nullptr;

void RecordModelFault(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (model_faults && type != QtDebugMsg && context.category && std::string(context.category) == "qt.modeltest") {
    model_faults->push_back(message.toStdString());
  }
}

class TreeListTest : public test::LedgerFixture {
 protected:
  TreeListTest() {
    AddSubject("1001", "工资");
    AddSubject("1001001", "基本工资");
    AddSubject("1001002", "津贴");
    AddSubject("1002", "奖金");
    AddSubject("2001", "餐饮");
    AddSubject("3001", "中行");
    AddSubject("3002", "阿里");
    AddSubject("3003", "现金");
    db_.Execute("update B_KM set ye=100 where id='3001'");
    db_.Execute("update B_KM set ye=-5 where id='3002'");
    db_.Execute("update B_KM set ye=20 where id='3003'");
    model_faults = &faults_;
    previous_handler_ = qInstallMessageHandler(RecordModelFault);
  }
  ~TreeListTest() override {
    qInstallMessageHandler(previous_handler_);
    model_faults = nullptr;
  }

  static TreeColumns BalanceColumns() {
    return {{"id", "科目编号", 131, ""},
            {"lmc", "科目名称", 299, ""},
            {"ye", "余额", 142, "0.00;-0.00", Qt::AlignRight | Qt::AlignVCenter}};
  }

  // A tree over the query, its model watched by the model tester from before the first load on.
  std::unique_ptr<TreeList> OpenTree(const std::string& select = kChart) {
    auto tree = std::make_unique<TreeList>(BalanceColumns());
    new QAbstractItemModelTester(const_cast<TreeListModel*>(&tree->Model()),
                                 QAbstractItemModelTester::FailureReportingMode::Warning, tree.get());
    tree->Open(db_.OpenQuery(select), "id", "parentid");
    return tree;
  }

  static std::vector<std::string> ChildKeys(const TreeList& tree, const std::string& parent_key = "") {
    const TreeListModel& model = tree.Model();
    const QModelIndex parent = parent_key.empty() ? QModelIndex() : model.IndexOfKey(parent_key);
    std::vector<std::string> keys;
    for (int row = 0; row < model.rowCount(parent); ++row) keys.push_back(model.KeyOf(model.index(row, 0, parent)));
    return keys;
  }

  static std::vector<std::string> DisplayedKeys(const TreeList& tree) {
    std::vector<std::string> keys;
    for (const std::vector<std::string>& row : tree.DisplayedText().rows) keys.push_back(row.front());
    return keys;
  }

  static void ClickHeader(TreeList& tree, int column) {
    QHeaderView* header = tree.header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
  }

  // The events a real double-click delivers: press, release, double-click, release.
  static void DoubleClick(QWidget* widget, QPoint position) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, position);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, position);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, position);
  }

  static void Show(TreeList& tree) {
    tree.resize(700, 400);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
  }

  void TearDown() override { EXPECT_THAT(faults_, ::testing::IsEmpty()); }

  std::vector<std::string> faults_;
  QtMessageHandler previous_handler_ = nullptr;
};

TEST_F(TreeListTest, BuildsTheTreeFromKeyAndParentInQueryOrder) {
  const auto tree = OpenTree();
  EXPECT_EQ(tree->RowCount(), 11u);
  EXPECT_THAT(ChildKeys(*tree), ElementsAre("1", "2", "3"));
  EXPECT_THAT(ChildKeys(*tree, "1"), ElementsAre("1001", "1002"));
  EXPECT_THAT(ChildKeys(*tree, "1001"), ElementsAre("1001001", "1001002"));
  EXPECT_THAT(ChildKeys(*tree, "1001002"), ::testing::IsEmpty());
  EXPECT_THAT(ChildKeys(*tree, "3"), ElementsAre("3001", "3002", "3003"));
  // A fresh tree is collapsed and focused on its first node.
  EXPECT_THAT(DisplayedKeys(*tree), ElementsAre("1", "2", "3"));
  EXPECT_EQ(tree->CurrentText("id"), "1");
}

TEST_F(TreeListTest, RowsWhoseParentIsNotLoadedAreTopLevel) {
  // A picker's list: the class without its root shows the root's children at the top.
  const auto picker = OpenTree("select * from B_KM where id like '1%' and id<>'1' order by id");
  EXPECT_THAT(ChildKeys(*picker), ElementsAre("1001", "1002"));
  EXPECT_THAT(ChildKeys(*picker, "1001"), ElementsAre("1001001", "1001002"));

  // An orphan deep in the chart stands at the top in its query position.
  const auto tree = OpenTree("select * from B_KM where id<>'1001' order by id");
  EXPECT_THAT(ChildKeys(*tree), ElementsAre("1", "1001001", "1001002", "2", "3"));
  EXPECT_THAT(ChildKeys(*tree, "1"), ElementsAre("1002"));
}

TEST_F(TreeListTest, ParentLinksThatLoopStillShowEveryRow) {
  const auto tree = OpenTree(
      "select '7' as id, '8' as parentid, 'a' as lmc, 0 as ye union all "
      "select '8', '7', 'b', 0 union all select '9', '9', 'c', 0 union all select '6', '', 'd', 0");
  EXPECT_THAT(ChildKeys(*tree), ElementsAre("7", "9", "6"));
  EXPECT_THAT(ChildKeys(*tree, "7"), ElementsAre("8"));
  EXPECT_EQ(tree->RowCount(), 4u);
}

TEST_F(TreeListTest, CellsShowTheColumnsInTheirFormats) {
  db_.Execute("update B_KM set ye=-12.5 where id='1001'");
  const auto tree = OpenTree();
  const TreeListModel& model = tree->Model();
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("科目编号"));
  EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QString::fromUtf8("余额"));
  EXPECT_EQ(tree->columnWidth(1), 299);

  const QModelIndex salary = model.IndexOfKey("1001");
  EXPECT_EQ(salary.siblingAtColumn(1).data().toString(), QString::fromUtf8("收入\\工资"));
  EXPECT_EQ(salary.siblingAtColumn(2).data().toString(), "-12.50");
  EXPECT_EQ(model.IndexOfKey("2").siblingAtColumn(2).data().toString(), "0.00");
  EXPECT_EQ(salary.siblingAtColumn(2).data(Qt::TextAlignmentRole).toInt(),
            static_cast<int>(Qt::AlignRight | Qt::AlignVCenter));
  EXPECT_FALSE(model.flags(salary) & Qt::ItemIsEditable);
}

TEST_F(TreeListTest, CurrentRowReadsEveryFieldOfTheFocusedNode) {
  db_.Execute("update B_KM set bz='月薪' where id='1001'");
  const auto tree = OpenTree();
  QSignalSpy changed(tree.get(), &TreeList::CurrentRowChanged);
  ASSERT_TRUE(tree->FocusKey("1001"));
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(tree->CurrentText("mc"), "工资");
  EXPECT_EQ(tree->CurrentText("BZ"), "月薪");  // not a column, read ignoring letter case
  EXPECT_EQ(tree->CurrentRow()->Number("js"), 2);
  EXPECT_EQ(tree->CurrentText("parentid"), "1");
  EXPECT_THROW(tree->CurrentText("nosuch"), std::invalid_argument);
  EXPECT_FALSE(tree->FocusKey("9999"));
  EXPECT_EQ(tree->CurrentText("id"), "1001");

  // The focused node's whole row is selected.
  EXPECT_EQ(tree->selectionModel()->selectedIndexes().size(), 3);

  // The typed-code lookup finds loaded rows whether or not they are on display.
  ASSERT_TRUE(tree->FindRow("1001002").has_value());
  EXPECT_EQ(tree->FindRow("1001002")->Text("mc"), "津贴");
  EXPECT_FALSE(tree->FindRow("1001003").has_value());
}

TEST_F(TreeListTest, AnEmptyTreeHasNoCurrentRowAndReadsEmptyTexts) {
  const auto tree = OpenTree("select * from B_KM where 1=2");
  EXPECT_EQ(tree->RowCount(), 0u);
  EXPECT_FALSE(tree->CurrentRow().has_value());
  EXPECT_EQ(tree->CurrentText("id"), "");
  EXPECT_EQ(tree->CurrentText("lmc"), "");
  EXPECT_THROW(tree->CurrentText("nosuch"), std::invalid_argument);
  tree->Next();
  tree->Last();
  EXPECT_FALSE(tree->CurrentRow().has_value());
  EXPECT_EQ(TreeText(tree->DisplayedText()), "科目编号\t科目名称\t余额\r\n\r\n");
}

TEST_F(TreeListTest, AQueryWithoutANamedFieldIsRefusedAndTheTreeKeepsItsRows) {
  const auto tree = OpenTree();
  EXPECT_THROW(tree->Open(db_.OpenQuery("select id, parentid, mc from B_KM"), "id", "parentid"), std::invalid_argument);
  EXPECT_THROW(tree->Open(db_.OpenQuery(kChart), "id", "nosuch"), std::invalid_argument);
  EXPECT_EQ(tree->RowCount(), 11u);
  tree->Refresh();
  EXPECT_EQ(tree->RowCount(), 11u);
}

TEST_F(TreeListTest, ExpandAllAndCollapseAllDecideWhatIsDisplayedAndExported) {
  const auto tree = OpenTree();
  tree->expandAll();
  EXPECT_THAT(DisplayedKeys(*tree),
              ElementsAre("1", "1001", "1001001", "1001002", "1002", "2", "2001", "3", "3001", "3002", "3003"));
  tree->CollapseAll();
  EXPECT_EQ(TreeText(tree->DisplayedText()),
            "科目编号\t科目名称\t余额\r\n\r\n"
            "1\t收入\t0.00\r\n"
            "2\t支出\t0.00\r\n"
            "3\t节余\t0.00\r\n");
  tree->expand(tree->Model().IndexOfKey("1"));
  EXPECT_THAT(DisplayedKeys(*tree), ElementsAre("1", "1001", "1002", "2", "3"));

  // Moved columns are exported in display order; hidden ones are left out.
  tree->header()->moveSection(2, 0);
  tree->header()->hideSection(1);
  const DisplayedTree shown = tree->DisplayedText();
  EXPECT_THAT(shown.captions, ElementsAre("余额", "科目编号"));
  EXPECT_THAT(shown.rows[1], ElementsAre("0.00", "1001"));
}

// The current row is always a node on display: collapsing hands the focus to the node that hides it.
TEST_F(TreeListTest, CollapsingAnAncestorOfTheFocusedNodeFocusesThatAncestor) {
  const auto tree = OpenTree();
  Show(*tree);
  ASSERT_TRUE(tree->FocusKey("1001002"));
  tree->collapse(tree->Model().IndexOfKey("1001"));
  EXPECT_EQ(tree->CurrentText("id"), "1001");
  tree->collapse(tree->Model().IndexOfKey("2"));  // not above the focus
  EXPECT_EQ(tree->CurrentText("id"), "1001");

  ASSERT_TRUE(tree->FocusKey("3002"));
  tree->expandAll();
  ASSERT_TRUE(tree->FocusKey("1001001"));
  tree->CollapseAll();
  EXPECT_EQ(tree->CurrentText("id"), "1");
}

TEST_F(TreeListTest, HeaderClickSortsSiblingsNumbersByValueTextsByTheLocale) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  const auto tree = OpenTree();
  Show(*tree);
  tree->expandAll();
  ASSERT_TRUE(tree->FocusKey("3002"));

  ClickHeader(*tree, 2);  // 余额 ascending: -5, 20, 100; the roots all hold 0 and keep their order
  EXPECT_THAT(ChildKeys(*tree, "3"), ElementsAre("3002", "3003", "3001"));
  EXPECT_THAT(ChildKeys(*tree), ElementsAre("1", "2", "3"));
  ClickHeader(*tree, 2);
  EXPECT_THAT(ChildKeys(*tree, "3"), ElementsAre("3001", "3003", "3002"));

  // Long names by pinyin, at every level: 节余 (jie) 收入 (shou) 支出 (zhi); 阿里 (a) 现金 (xian) 中行 (zhong);
  // 工资 (gong) 奖金 (jiang); 基本工资 (ji) 津贴 (jin).
  ClickHeader(*tree, 1);
  EXPECT_THAT(ChildKeys(*tree), ElementsAre("3", "1", "2"));
  EXPECT_THAT(ChildKeys(*tree, "3"), ElementsAre("3002", "3003", "3001"));
  EXPECT_THAT(ChildKeys(*tree, "1001"), ElementsAre("1001001", "1001002"));
  EXPECT_THAT(DisplayedKeys(*tree),
              ElementsAre("3", "3002", "3003", "3001", "1", "1001", "1001001", "1001002", "1002", "2", "2001"));
  // Sorting moves nodes, not the focus or the children.
  EXPECT_EQ(tree->CurrentText("id"), "3002");
  EXPECT_TRUE(tree->isExpanded(tree->Model().IndexOfKey("1001")));

  // The sort outlives a refresh.
  tree->Refresh();
  EXPECT_THAT(ChildKeys(*tree, "3"), ElementsAre("3002", "3003", "3001"));
  QLocale::setDefault(previous);
}

TEST_F(TreeListTest, RefreshKeepsFocusExpansionAndShowsNewRows) {
  const auto tree = OpenTree();
  tree->expand(tree->Model().IndexOfKey("1"));
  ASSERT_TRUE(tree->FocusKey("1001002"));
  AddSubject("1001000", "新增");
  AddSubject("3004", "存折");

  QSignalSpy changed(tree.get(), &TreeList::CurrentRowChanged);
  tree->Refresh();
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(tree->CurrentText("id"), "1001002");
  EXPECT_THAT(ChildKeys(*tree, "1001"), ElementsAre("1001000", "1001001", "1001002"));
  EXPECT_THAT(DisplayedKeys(*tree), ElementsAre("1", "1001", "1001000", "1001001", "1001002", "1002", "2", "3"));

  // When the focused row is gone the focus goes to its nearest ancestor still loaded.
  ASSERT_EQ(DeleteSubject(db_, "1001002"), DeleteOutcome::kDeleted);
  tree->Refresh();
  EXPECT_EQ(tree->CurrentText("id"), "1001");
}

TEST_F(TreeListTest, DoubleClickReportsTheNodeItMadeCurrent) {
  const auto tree = OpenTree();
  Show(*tree);
  tree->expandAll();
  tree->setExpandsOnDoubleClick(false);
  QSignalSpy picked(tree.get(), &TreeList::RowDoubleClicked);
  std::string seen;
  QObject::connect(tree.get(), &TreeList::RowDoubleClicked, [&] { seen = tree->CurrentText("id"); });

  const QModelIndex salary = tree->Model().IndexOfKey("1001");
  DoubleClick(tree->viewport(), tree->visualRect(salary.siblingAtColumn(1)).center());
  EXPECT_EQ(picked.count(), 1);
  EXPECT_EQ(seen, "1001");
  EXPECT_TRUE(tree->isExpanded(salary));

  // A click below the last node is no double-click on a node.
  DoubleClick(tree->viewport(), QPoint(20, tree->viewport()->height() - 3));
  EXPECT_EQ(picked.count(), 1);
}

TEST_F(TreeListTest, ClickingARowFocusesItOnce) {
  const auto tree = OpenTree();
  Show(*tree);
  QSignalSpy changed(tree.get(), &TreeList::CurrentRowChanged);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                    tree->visualRect(tree->Model().IndexOfKey("2").siblingAtColumn(2)).center());
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(tree->CurrentText("id"), "2");
}

TEST_F(TreeListTest, RecordMovesFollowTheQueryOrderAndOpenCollapsedParents) {
  const auto tree = OpenTree();
  tree->Next();
  EXPECT_EQ(tree->CurrentText("id"), "1001");
  tree->Next();
  EXPECT_EQ(tree->CurrentText("id"), "1001001");
  EXPECT_TRUE(tree->isExpanded(tree->Model().IndexOfKey("1001")));
  tree->Prior();
  EXPECT_EQ(tree->CurrentText("id"), "1001");
  tree->Last();
  EXPECT_EQ(tree->CurrentText("id"), "3003");
  tree->Next();
  EXPECT_EQ(tree->CurrentText("id"), "3003");
  tree->First();
  tree->Prior();
  EXPECT_EQ(tree->CurrentText("id"), "1");
}

TEST_F(TreeListTest, PrintTableIsTheDisplayedState) {
  const auto tree = OpenTree();
  tree->expand(tree->Model().IndexOfKey("1"));
  tree->setColumnWidth(0, 150);
  const PrintTable table = tree->DisplayedTable();
  ASSERT_EQ(table.columns.size(), 3u);
  EXPECT_EQ(table.columns[0].width, 150);
  EXPECT_EQ(table.columns[2].caption, QString::fromUtf8("余额"));
  EXPECT_TRUE(table.tree_lines);
  ASSERT_EQ(table.rows.size(), 5u);  // 1, 1001, 1002, 2, 3
  EXPECT_EQ(table.rows[1].cells.at(1), QString::fromUtf8("收入\\工资"));
  EXPECT_EQ(table.rows[0].level, 0);
  EXPECT_TRUE(table.rows[0].has_children && table.rows[0].expanded);
  EXPECT_EQ(table.rows[1].level, 1);
  EXPECT_TRUE(table.rows[1].has_children && !table.rows[1].expanded);
  EXPECT_FALSE(table.rows[2].has_children);
}

// A chart of several thousand subjects in four levels, built in one transaction.
class LargeChartTest : public test::LedgerFixture {
 protected:
  LargeChartTest() {
    db_.BeginTrans();
    for (char root : std::string("123")) {
      for (int a = 0; a < 20; ++a) {
        const std::string level2 = AddSubject(root + Segment(a), "科目" + Segment(a));
        for (int b = 0; b < 20; ++b) {
          const std::string level3 = AddSubject(level2 + Segment(b), "明细" + Segment(b));
          for (int c = 0; c < 4; ++c) AddSubject(level3 + Segment(c), "子目" + Segment(c));
        }
      }
    }
    db_.CommitTrans();
  }
  static std::string Segment(int n) {
    char text[4];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
  }
};

TEST_F(LargeChartTest, LoadsRefreshesAndExportsEveryNode) {
  TreeList tree({{"id", "科目编号", 131, ""}, {"lmc", "科目名称", 299, ""}, {"ye", "余额", 142, "0.00;-0.00"}});
  tree.Open(db_.OpenQuery(kChart), "id", "parentid");
  EXPECT_EQ(tree.RowCount(), 3u + 3 * (20 + 20 * 20 + 20 * 20 * 4));
  tree.expandAll();
  ASSERT_TRUE(tree.FocusKey("3019019003"));
  tree.Refresh();
  EXPECT_EQ(tree.CurrentText("lmc"), "节余\\科目019\\明细019\\子目003");
  const DisplayedTree shown = tree.DisplayedText();
  ASSERT_EQ(shown.rows.size(), tree.RowCount());
  EXPECT_EQ(shown.rows.back().front(), "3019019003");
}

}  // namespace
}  // namespace money
