#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "reports/balance_queries.h"
#include "reports/period_queries.h"
#include "reports/query_messages.h"
#include "reports/subject_tree_query_window.h"
#include "shell/child_window_registry.h"
#include "storage/settings_file.h"
#include "subjects/subject_codes.h"
#include "support/ledger_fixture.h"
#include "support/message_recorder.h"
#include "support/save_file_recorder.h"
#include "transactions/posting_engine.h"
#include "ui/print_preview.h"
#include "ui/tree_list.h"

namespace money {
namespace {

using Lines = std::vector<std::vector<std::string>>;

const DateRange kEarlyMarch{"2005.03.01", "2005.03.04"};
const DateRange kLateMarch{"2005.03.05", "2005.03.31"};

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QPushButton* Button(QWidget& window, const char* name) {
  auto* button = window.findChild<QPushButton*>(QString::fromUtf8(name));
  EXPECT_NE(button, nullptr) << name;
  return button;
}

// A chart with a used income branch, an unused income subject (balance 0) and a savings subject in the red.
class TreeQueryWindowTest : public test::LedgerFixture {
 protected:
  TreeQueryWindowTest() {
    AddSubject("1001", "工资");
    AddSubject("1001001", "基本");
    AddSubject("1002", "奖金");
    AddSubject("2001", "餐饮");
    AddSubject("3001", "中行");
    AddSubject("3002", "现金");
    Post(EntryKind::Income, "2005.03.01", "1001001", "3001", 100);
    Post(EntryKind::Expense, "2005.03.05", "3002", "2001", 12.5);
  }

  void Post(EntryKind kind, const std::string& date, const std::string& source, const std::string& destination,
            double amount) {
    const NewEntry entry{
        kind, date, {source, LevelOfCode(source)}, {destination, LevelOfCode(destination)}, amount, "", "9999", ""};
    ASSERT_TRUE(PostEntry(db_, entry).ok);
  }

  std::filesystem::path SettingsPath() const { return folder_ / "money.INI"; }

  TreeQueryServices Services() {
    return {db_,
            messages_,
            saves_,
            folder_.Path(),
            SettingsPath(),
            [this](const DetailRequest& request) { details_.push_back(request); },
            [this](QDialog& dialog) {
              auto* preview = qobject_cast<PrintPreview*>(&dialog);
              ASSERT_NE(preview, nullptr);
              EXPECT_EQ(preview->parentWidget(), opened_.back().get());
              previews_.push_back(preview->printer()->pageLayout());
            }};
  }

  SubjectTreeQueryWindow& Open(const SubjectTreeQueryKind& kind, TreeQueryTexts texts) {
    opened_.push_back(std::make_unique<SubjectTreeQueryWindow>(kind, std::move(texts), Services()));
    opened_.back()->resize(1000, 500);
    opened_.back()->show();
    return *opened_.back();
  }
  SubjectTreeQueryWindow& OpenBalance() { return Open(kBalanceQueryKind, BalanceQueryTexts()); }
  SubjectTreeQueryWindow& OpenPeriod(const DateRange& range) { return Open(kPeriodQueryKind, PeriodQueryTexts(range)); }

  // Chooses the file in the save dialog and presses the export button.
  void Export(SubjectTreeQueryWindow& window, const std::filesystem::path& file) {
    saves_.answers.push_back(QString::fromStdString(file.string()));
    Button(window, window.objectName() == "TForm13" ? "BitBtn3" : "BitBtn1")->click();
  }

  test::MessageRecorder messages_;
  test::SaveFileRecorder saves_;
  std::vector<DetailRequest> details_;
  std::vector<QPageLayout> previews_;
  std::vector<std::unique_ptr<SubjectTreeQueryWindow>> opened_;
};

struct KindLooks {
  const SubjectTreeQueryKind* kind;
  const char* form;
  std::vector<const char*> captions;
  std::vector<int> widths;
  // Right to left: exit, export, detail, collapse, expand, preview.
  std::vector<const char*> buttons;
};

TEST_F(TreeQueryWindowTest, EachKindShowsItsColumnsAndButtonsAnchoredToTheRight) {
  const KindLooks kinds[] = {
      {&kBalanceQueryKind,
       "TForm13",
       {"科目编号", "科目名称", "余额"},
       {131, 299, 142},
       {"BitBtn2", "BitBtn3", "BitBtn5", "BitBtn1", "BitBtn4", "BitBtn6"}},
      {&kPeriodQueryKind,
       "TForm15",
       {"科目编号", "科目名称", "发生数"},
       {161, 326, 117},
       {"BitBtn2", "BitBtn1", "BitBtn5", "BitBtn4", "BitBtn3", "BitBtn6"}},
  };
  const char* captions[] = {"退   出", "存为文本文件", "查看明细", "全部收缩", "全部展开", "打印预览"};
  const int distances[] = {121, 234, 336, 438, 540, 642};
  for (const KindLooks& looks : kinds) {
    SCOPED_TRACE(looks.form);
    SubjectTreeQueryWindow& window =
        Open(*looks.kind, looks.kind == &kBalanceQueryKind ? BalanceQueryTexts() : PeriodQueryTexts(kEarlyMarch));
    EXPECT_EQ(window.objectName(), looks.form);
    TreeList& tree = window.Tree();
    EXPECT_EQ(tree.objectName(), "dxDBTreeList1");
    ASSERT_EQ(tree.model()->columnCount(), 3);
    for (int column = 0; column < 3; ++column) {
      EXPECT_EQ(tree.model()->headerData(column, Qt::Horizontal).toString(), QString::fromUtf8(looks.captions[column]));
      EXPECT_EQ(tree.columnWidth(column), looks.widths[column]);
    }
    for (const int width : {1000, 700}) {
      window.resize(width, 400);
      for (size_t i = 0; i < 6; ++i) {
        QPushButton* button = Button(window, looks.buttons[i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(captions[i]));
        EXPECT_EQ(button->size(), QSize(i == 1 ? 108 : 97, 33));
        EXPECT_EQ(button->x(), button->parentWidget()->width() - distances[i]) << looks.buttons[i];
        EXPECT_EQ(button->parentWidget()->geometry().bottom(), window.height() - 1);
      }
    }
  }
}

TEST_F(TreeQueryWindowTest, BalanceTreeShowsEverySubjectWithItsBalanceInTwoDecimals) {
  SubjectTreeQueryWindow& window = OpenBalance();
  EXPECT_EQ(window.windowTitle(), "科目余额查询");
  Button(window, "BitBtn4")->click();
  const Lines expected = {
      {"1", "收入", "100.00"},        {"1001", "收入\\工资", "100.00"}, {"1001001", "收入\\工资\\基本", "100.00"},
      {"1002", "收入\\奖金", "0.00"}, {"2", "支出", "12.50"},           {"2001", "支出\\餐饮", "12.50"},
      {"3", "节余", "87.50"},         {"3001", "节余\\中行", "100.00"}, {"3002", "节余\\现金", "-12.50"}};
  EXPECT_EQ(window.Tree().DisplayedText().rows, expected);
  EXPECT_FALSE(window.Tree().editTriggers() & QAbstractItemView::DoubleClicked);
}

// Collapsed, the file holds the header, the empty line and the roots; expanded, every node.
TEST_F(TreeQueryWindowTest, TextExportWritesTheNodesOnDisplay) {
  SubjectTreeQueryWindow& window = OpenBalance();
  Button(window, "BitBtn4")->click();
  Button(window, "BitBtn1")->click();
  Export(window, folder_ / "collapsed");
  EXPECT_EQ(ReadFile(folder_ / "collapsed.txt"),
            "科目编号\t科目名称\t余额\r\n\r\n1\t收入\t100.00\r\n2\t支出\t12.50\r\n3\t节余\t87.50\r\n");
  ASSERT_EQ(saves_.requests.size(), 1);
  EXPECT_EQ(saves_.requests.front(), (SaveFileRequest{"数据存为txt表", QString::fromStdString(folder_.Path().string()),
                                                      "科目余额查询", "文本文件 (*.txt)", "txt"}));

  Button(window, "BitBtn4")->click();
  Export(window, folder_ / "expanded.txt");
  EXPECT_EQ(ReadFile(folder_ / "expanded.txt"),
            "科目编号\t科目名称\t余额\r\n\r\n"
            "1\t收入\t100.00\r\n1001\t收入\\工资\t100.00\r\n1001001\t收入\\工资\\基本\t100.00\r\n"
            "1002\t收入\\奖金\t0.00\r\n2\t支出\t12.50\r\n2001\t支出\\餐饮\t12.50\r\n"
            "3\t节余\t87.50\r\n3001\t节余\\中行\t100.00\r\n3002\t节余\\现金\t-12.50\r\n");
  EXPECT_TRUE(messages_.errors.isEmpty());
}

TEST_F(TreeQueryWindowTest, CancelledExportWritesNothingAndAFailedOneIsShownInTheErrorBox) {
  SubjectTreeQueryWindow& window = OpenBalance();
  saves_.answers.push_back(std::nullopt);
  Button(window, "BitBtn3")->click();
  EXPECT_EQ(saves_.requests.size(), 1);
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
    EXPECT_NE(entry.path().extension(), ".txt") << entry.path();
  }
  EXPECT_TRUE(messages_.errors.isEmpty());

  const std::filesystem::path unwritable = folder_ / "no such folder" / "out.txt";
  Export(window, unwritable);
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(
      messages_.errors.front().startsWith("Cannot create file \"" + QString::fromStdString(unwritable.string())))
      << messages_.errors.front().toStdString();
  EXPECT_TRUE(messages_.informed.isEmpty());
  EXPECT_EQ(window.Tree().RowCount(), 9u);
}

TEST_F(TreeQueryWindowTest, DetailOfTheFocusedSubjectOrOfAnEmptyTree) {
  SubjectTreeQueryWindow& balance = OpenBalance();
  ASSERT_TRUE(balance.Tree().FocusKey("3001"));
  Button(balance, "BitBtn5")->click();
  ASSERT_EQ(details_.size(), 1u);
  EXPECT_EQ(details_.back(), SubjectDetailRequest("3001", "节余\\中行"));

  db_.ExecuteOwn("pragma foreign_keys=off", {});
  db_.Execute("delete from B_KM");
  SubjectTreeQueryWindow& empty = OpenBalance();
  EXPECT_EQ(empty.Tree().RowCount(), 0u);
  Button(empty, "BitBtn5")->click();
  ASSERT_EQ(details_.size(), 2u);
  EXPECT_EQ(details_.back(), SubjectDetailRequest("", ""));
  EXPECT_EQ(details_.back().caption, "科目明细 _ ");
  EXPECT_TRUE(messages_.errors.isEmpty());
}

TEST_F(TreeQueryWindowTest, PreviewShowsTheTreeOnTheReportPage) {
  SubjectTreeQueryWindow& window = OpenBalance();
  Button(window, "BitBtn6")->click();
  ASSERT_EQ(previews_.size(), 1u);
  EXPECT_TRUE(previews_.front().isEquivalentTo(PrintPreview::ReportPageLayout()));
}

// Each window keeps its own range: caption, rows, export name and detail range; a refresh re-runs it.
TEST_F(TreeQueryWindowTest, PeriodWindowsKeepTheirOwnRanges) {
  SubjectTreeQueryWindow& early = OpenPeriod(kEarlyMarch);
  SubjectTreeQueryWindow& late = OpenPeriod(kLateMarch);
  EXPECT_EQ(early.windowTitle(), "期间发生数_ 2005.03.01-2005.03.04");
  EXPECT_EQ(late.windowTitle(), "期间发生数_ 2005.03.05-2005.03.31");
  for (SubjectTreeQueryWindow* window : {&early, &late}) Button(*window, "BitBtn3")->click();
  EXPECT_EQ(early.Tree().DisplayedText().rows, (Lines{{"1", "收入", "100.00"},
                                                      {"1001", "收入\\工资", "100.00"},
                                                      {"1001001", "收入\\工资\\基本", "100.00"},
                                                      {"3", "节余", "100.00"},
                                                      {"3001", "节余\\中行", "100.00"}}));
  EXPECT_EQ(late.Tree().DisplayedText().rows, (Lines{{"2", "支出", "12.50"},
                                                     {"2001", "支出\\餐饮", "12.50"},
                                                     {"3", "节余", "-12.50"},
                                                     {"3002", "节余\\现金", "-12.50"}}));

  // The proposed name holds full stops: chosen as proposed, it gets no ".txt".
  const std::filesystem::path proposed = folder_ / "期间发生数_ 2005.03.01-2005.03.04";
  Export(early, proposed);
  EXPECT_EQ(saves_.requests.back().file_name, "期间发生数_ 2005.03.01-2005.03.04");
  EXPECT_TRUE(ReadFile(proposed).starts_with("科目编号\t科目名称\t发生数\r\n\r\n1\t收入\t100.00\r\n"));
  Export(late, folder_ / "late");
  EXPECT_EQ(saves_.requests.back().file_name, "期间发生数_ 2005.03.05-2005.03.31");

  ASSERT_TRUE(late.Tree().FocusKey("3002"));
  Button(late, "BitBtn5")->click();
  ASSERT_TRUE(early.Tree().FocusKey("1001"));
  Button(early, "BitBtn5")->click();
  EXPECT_EQ(details_, (std::vector<DetailRequest>{PeriodDetailRequest(kLateMarch, "3002", "节余\\现金"),
                                                  PeriodDetailRequest(kEarlyMarch, "1001", "收入\\工资")}));

  Post(EntryKind::Income, "2005.03.20", "1002", "3002", 40);
  early.Tree().Refresh();
  late.Tree().Refresh();
  EXPECT_EQ(early.Tree().RowCount(), 5u);
  ASSERT_TRUE(late.Tree().FindRow("1002"));
  EXPECT_EQ(late.Tree().FindRow("3002")->Number("ye"), 27.5);
  EXPECT_TRUE(messages_.errors.isEmpty());
}

TEST_F(TreeQueryWindowTest, EmptyPeriodGivesAnEmptyTreeAndADetailOfEveryLineInTheRange) {
  SubjectTreeQueryWindow& window = OpenPeriod({"2005.03.31", "2005.03.01"});
  EXPECT_EQ(window.Tree().RowCount(), 0u);
  Button(window, "BitBtn5")->click();
  ASSERT_EQ(details_.size(), 1u);
  EXPECT_EQ(details_.front().caption, "期间发生数明细__2005.03.31-2005.03.01");
  EXPECT_EQ(details_.front(), PeriodDetailRequest({"2005.03.31", "2005.03.01"}, "", ""));
}

// The windows inside the main frame's client area, opened through the registry as the main window does.
class TreeQueryPlacementTest : public TreeQueryWindowTest {
 protected:
  TreeQueryPlacementTest() {
    frame_.resize(1200, 900);
    frame_.show();
  }
  QMdiSubWindow* OpenFrame(const QString& key, const SubjectTreeQueryKind& kind, const TreeQueryTexts& texts) {
    QWidget* window = registry_.Open(key, [&] { return new SubjectTreeQueryWindow(kind, texts, Services()); });
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
  }
  QMdiSubWindow* OpenBalanceFrame() { return OpenFrame("TForm13", kBalanceQueryKind, BalanceQueryTexts()); }
  QMdiSubWindow* OpenPeriodFrame(const DateRange& range) {
    return OpenFrame(QString::fromStdString("TForm15 " + PeriodCaption(range)), kPeriodQueryKind,
                     PeriodQueryTexts(range));
  }
  static void Exit(QMdiSubWindow* frame) {
    Button(*frame->widget(), "BitBtn2")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::vector<int> Keys(const char* section) const {
    std::vector<int> keys;
    for (const char* key : {"Windows", "Top", "Left", "Width", "Height"})
      keys.push_back(SettingsFile(SettingsPath()).ReadInteger(section, key, -1));
    return keys;
  }

  QMdiArea frame_;
  ChildWindowRegistry registry_{frame_};
};

TEST_F(TreeQueryPlacementTest, BalanceWindowOpensMaximizedAndKeepsItsStateInYEFrm) {
  QMdiSubWindow* opened = OpenBalanceFrame();
  ASSERT_NE(opened, nullptr);
  EXPECT_TRUE(opened->isMaximized());
  opened->showNormal();
  opened->setGeometry(30, 40, 500, 300);
  QPointer<QMdiSubWindow> closing = opened;
  Exit(opened);
  EXPECT_TRUE(closing.isNull());
  EXPECT_EQ(registry_.Find("TForm13"), nullptr);
  EXPECT_EQ(Keys("YEFrm"), (std::vector<int>{0, 40, 30, 500, 300}));

  QMdiSubWindow* reopened = OpenBalanceFrame();
  ASSERT_NE(reopened, nullptr);
  EXPECT_FALSE(reopened->isMaximized());
  EXPECT_EQ(reopened->geometry(), QRect(30, 40, 500, 300));
  EXPECT_EQ(Keys("FSSFrm"), (std::vector<int>{-1, -1, -1, -1, -1}));
}

// Every period window reads FSSFrm and writes it when it closes: the last one closed decides.
TEST_F(TreeQueryPlacementTest, PeriodWindowsOpenAtTheDefaultBoundsAndTheLastClosedDecides) {
  QMdiSubWindow* early = OpenPeriodFrame(kEarlyMarch);
  QMdiSubWindow* late = OpenPeriodFrame(kLateMarch);
  ASSERT_NE(early, nullptr);
  ASSERT_NE(late, nullptr);
  for (QMdiSubWindow* opened : {early, late}) {
    EXPECT_FALSE(opened->isMaximized());
    EXPECT_EQ(opened->geometry(), QRect(2, 2, 707, 457));
  }
  early->setGeometry(10, 20, 600, 400);
  late->setGeometry(50, 60, 650, 420);
  Exit(late);
  EXPECT_EQ(Keys("FSSFrm"), (std::vector<int>{0, 60, 50, 650, 420}));
  early->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Keys("FSSFrm"), (std::vector<int>{0, 20, 10, 600, 400}));
  EXPECT_EQ(Keys("YEFrm"), (std::vector<int>{-1, -1, -1, -1, -1}));

  QMdiSubWindow* next = OpenPeriodFrame(kLateMarch);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->geometry(), QRect(10, 20, 600, 400));
}

TEST_F(TreeQueryPlacementTest, RefusedSettingsWriteKeepsTheWindowOpen) {
  std::filesystem::create_directory(SettingsPath());
  QMdiSubWindow* opened = OpenPeriodFrame(kEarlyMarch);
  ASSERT_NE(opened, nullptr);
  Exit(opened);
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors.front().startsWith("Unable to write to ")) << messages_.errors.front().toStdString();
  EXPECT_TRUE(opened->isVisible());
}

}  // namespace
}  // namespace money
