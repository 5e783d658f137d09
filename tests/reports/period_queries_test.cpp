#include "reports/period_queries.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "subjects/subject_codes.h"
#include "support/ledger_fixture.h"
#include "transactions/posting_engine.h"

namespace money {
namespace {

const DateRange kMarch{"2005.03.01", "2005.03.15"};

TEST(PeriodQueryTextsTest, CaptionQueryAndExportNameCarryTheRange) {
  const TreeQueryTexts texts = PeriodQueryTexts(kMarch);
  EXPECT_EQ(texts.caption, "期间发生数_ 2005.03.01-2005.03.15");
  EXPECT_EQ(texts.export_name, texts.caption);
  EXPECT_EQ(texts.select_text,
            "select kmbh,lmc,a.parentid,sum(je) as ye from B_MX a,B_KM b where a.kmbh=b.id and ymd>='2005.03.01' and "
            "ymd<='2005.03.15' group by kmbh,lmc,a.parentid");
}

TEST(PeriodQueryTextsTest, DetailRequestOfAFocusedSubjectAndOfAnEmptyTree) {
  const TreeQueryTexts texts = PeriodQueryTexts(kMarch);
  EXPECT_EQ(texts.detail_request("3001", "节余\\中行"),
            (DetailRequest{"期间发生数明细_节余\\中行_2005.03.01-2005.03.15",
                           "select * from B_MX where mx=1 and ymd>='2005.03.01' and ymd<='2005.03.15' and kmbh like "
                           "'3001%'  order by lsh desc",
                           "select count(*) as ct,sum(je) as sumje from B_MX where mx=1 and ymd>='2005.03.01' and "
                           "ymd<='2005.03.15' and kmbh like '3001%'",
                           ""}));
  const DetailRequest empty = texts.detail_request("", "");
  EXPECT_EQ(empty.caption, "期间发生数明细__2005.03.01-2005.03.15");
  EXPECT_EQ(
      empty.detail_query,
      "select * from B_MX where mx=1 and ymd>='2005.03.01' and ymd<='2005.03.15' and kmbh like '%'  order by lsh desc");
}

// Each range keeps its own texts, whatever was made after it.
TEST(PeriodQueryTextsTest, TextsKeepTheirOwnRange) {
  const TreeQueryTexts march = PeriodQueryTexts(kMarch);
  const TreeQueryTexts april = PeriodQueryTexts({"2005.04.01", "2005.04.30"});
  EXPECT_EQ(march.detail_request("1", "收入").caption, "期间发生数明细_收入_2005.03.01-2005.03.15");
  EXPECT_EQ(april.detail_request("1", "收入").caption, "期间发生数明细_收入_2005.04.01-2005.04.30");
}

class PeriodActivityTest : public test::LedgerFixture {
 protected:
  struct Activity {
    std::string long_name;
    std::string parent;
    double sum;
    bool operator==(const Activity&) const = default;
  };

  PeriodActivityTest() {
    AddSubject("1001", "工资");
    AddSubject("1001001", "基本");
    AddSubject("1002", "奖金");
    AddSubject("2001", "餐饮");
    AddSubject("3001", "中行");
    AddSubject("3002", "现金");
    Post(EntryKind::Income, "2005.02.28", "1002", "3001", 1000);    // 1: the day before the range
    Post(EntryKind::Income, "2005.03.01", "1001001", "3001", 500);  // 2: its first day
    Post(EntryKind::Expense, "2005.03.10", "3001", "2001", -20);    // 3: a negative amount
    Post(EntryKind::Expense, "2005.03.15", "3002", "2001", 80);     // 4: its last day
    Post(EntryKind::Income, "2005.03.16", "1002", "3002", 7);       // 5: the day after
  }
  void Post(EntryKind kind, const std::string& date, const std::string& source, const std::string& destination,
            double amount) {
    const NewEntry entry{
        kind, date, {source, LevelOfCode(source)}, {destination, LevelOfCode(destination)}, amount, "", "9999", ""};
    ASSERT_TRUE(PostEntry(db_, entry).ok);
  }
  std::map<std::string, Activity> Rows(const DateRange& range) {
    std::map<std::string, Activity> rows;
    for (QueryDataset query = db_.OpenQuery(PeriodActivitySelect(range)); !query.Eof(); query.Next()) {
      EXPECT_EQ(query.FieldNames(), (std::vector<std::string>{"kmbh", "lmc", "parentid", "ye"}));
      rows[query.Text("kmbh")] = {query.Text("lmc"), query.Text("parentid"), query.Double("ye")};
    }
    return rows;
  }
  std::vector<long long> Serials(const std::string& select) {
    std::vector<long long> serials;
    for (QueryDataset rows = db_.OpenQuery(select); !rows.Eof(); rows.Next()) serials.push_back(rows.Integer("lsh"));
    return serials;
  }
};

// Both ends count; each subject's sum is its net change with its descendants', signs as stored.
TEST_F(PeriodActivityTest, SumsEveryLineOfTheRangePerSubject) {
  const std::map<std::string, Activity> expected = {
      {"1", {"收入", "", 500}},
      {"1001", {"收入\\工资", "1", 500}},
      {"1001001", {"收入\\工资\\基本", "1001", 500}},
      {"2", {"支出", "", 60}},
      {"2001", {"支出\\餐饮", "2", 60}},
      {"3", {"节余", "", 440}},
      {"3001", {"节余\\中行", "3", 520}},
      {"3002", {"节余\\现金", "3", -80}},
  };
  EXPECT_EQ(Rows(kMarch), expected);
  EXPECT_EQ(Rows({"2005.03.15", "2005.03.15"}).at("3002").sum, -80);
}

TEST_F(PeriodActivityTest, RangesWithoutLinesOrBackwardsGiveNoRows) {
  EXPECT_TRUE(Rows({"2005.03.02", "2005.03.09"}).empty());
  EXPECT_TRUE(Rows({"2005.03.15", "2005.03.01"}).empty());
}

// The lines are joined to the chart: a code without a B_KM row drops out, its lines uncounted.
TEST_F(PeriodActivityTest, LinesOfASubjectMissingFromTheChartAreLeftOut) {
  db_.ExecuteOwn("pragma foreign_keys=off", {});
  db_.ExecuteOwn("insert into B_MX values(9,'2005.03.05','3999','3',1000,'9999',1,1)", {});
  const std::map<std::string, Activity> rows = Rows(kMarch);
  EXPECT_EQ(rows.count("3999"), 0u);
  EXPECT_EQ(rows.at("3").sum, 440);
}

TEST_F(PeriodActivityTest, DetailQueriesListAndTotalTheSubjectsDetailLinesInTheRange) {
  const DetailRequest savings = PeriodDetailRequest(kMarch, "3", "节余");
  EXPECT_EQ(Serials(savings.detail_query), (std::vector<long long>{4, 3, 2}));
  QueryDataset totals = db_.OpenQuery(savings.totals_query);
  EXPECT_EQ(totals.Integer("ct"), 3);
  EXPECT_DOUBLE_EQ(totals.Double("sumje"), 440);
  EXPECT_EQ(Serials(PeriodDetailRequest(kMarch, "3001", "节余\\中行").detail_query), (std::vector<long long>{3, 2}));
  EXPECT_EQ(Serials(PeriodDetailRequest(kMarch, "", "").detail_query), (std::vector<long long>{4, 4, 3, 3, 2, 2}));
}

}  // namespace
}  // namespace money
