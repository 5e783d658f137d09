#include "reports/balance_queries.h"

#include <gtest/gtest.h>

#include <vector>

#include "subjects/subject_codes.h"
#include "support/ledger_fixture.h"
#include "transactions/posting_engine.h"

namespace money {
namespace {

TEST(SubjectDetailRequestTest, TextsOfAFocusedSubject) {
  EXPECT_EQ(SubjectDetailRequest("1001", "收入\\工资"),
            (DetailRequest{
                "科目明细 _ 收入\\工资", "select * from B_MX where mx=1 and kmbh like '1001%'  order by lsh desc",
                "select count(*) as ct,sum(je) as sumje from B_MX where mx=1 and kmbh like '1001%'", "收入\\工资"}));
}

// An empty tree hands over an empty code and name: every detail line of the ledger.
TEST(SubjectDetailRequestTest, EmptyTreeAsksForEveryDetailLine) {
  EXPECT_EQ(SubjectDetailRequest("", ""),
            (DetailRequest{"科目明细 _ ", "select * from B_MX where mx=1 and kmbh like '%'  order by lsh desc",
                           "select count(*) as ct,sum(je) as sumje from B_MX where mx=1 and kmbh like '%'", ""}));
}

// Only the code reaches the statements, and through QuoteSql.
TEST(SubjectDetailRequestTest, NamesStayOutOfTheStatementsAndCodesAreQuoted) {
  const DetailRequest request = SubjectDetailRequest("3'1", "节余\\O'Neil");
  EXPECT_EQ(request.caption, "科目明细 _ 节余\\O'Neil");
  EXPECT_EQ(request.detail_query, "select * from B_MX where mx=1 and kmbh like '3''1%'  order by lsh desc");
  EXPECT_EQ(request.totals_query, "select count(*) as ct,sum(je) as sumje from B_MX where mx=1 and kmbh like '3''1%'");
}

TEST(BalanceQueryTextsTest, CaptionExportNameQueryAndDetails) {
  const TreeQueryTexts texts = BalanceQueryTexts();
  EXPECT_EQ(texts.caption, "科目余额查询");
  EXPECT_EQ(texts.export_name, "科目余额查询");
  EXPECT_EQ(texts.select_text, "select * from B_KM order by id");
  EXPECT_EQ(texts.detail_request("2001", "支出\\餐饮"), SubjectDetailRequest("2001", "支出\\餐饮"));
}

class SubjectDetailLedgerTest : public test::LedgerFixture {
 protected:
  SubjectDetailLedgerTest() {
    AddSubject("3001", "中行");
    AddSubject("3001001", "活期");
    AddSubject("3002", "现金");
    AddSubject("1001", "工资");
    Post("1001", "3001", 100);    // 1
    Post("1001", "3001001", 20);  // 2
    Post("1001", "3002", 7);      // 3
    Post("1001", "3001001", -5);  // 4
  }
  void Post(const std::string& source, const std::string& destination, double amount) {
    const NewEntry entry{EntryKind::Income,
                         "2005.03.07",
                         {source, LevelOfCode(source)},
                         {destination, LevelOfCode(destination)},
                         amount,
                         "",
                         "9999",
                         ""};
    ASSERT_TRUE(PostEntry(db_, entry).ok);
  }
  std::vector<long long> Serials(const std::string& select) {
    std::vector<long long> serials;
    for (QueryDataset rows = db_.OpenQuery(select); !rows.Eof(); rows.Next()) serials.push_back(rows.Integer("lsh"));
    return serials;
  }
};

// The detail lines of the subject and its descendants, whatever their level, newest first; no ancestor
// lines, no other subject's.
TEST_F(SubjectDetailLedgerTest, QueriesListAndTotalTheDetailLinesOfTheSubjectAndItsDescendants) {
  const DetailRequest request = SubjectDetailRequest("3001", "节余\\中行");
  EXPECT_EQ(Serials(request.detail_query), (std::vector<long long>{4, 2, 1}));
  QueryDataset totals = db_.OpenQuery(request.totals_query);
  EXPECT_EQ(totals.Integer("ct"), 3);
  EXPECT_DOUBLE_EQ(totals.Double("sumje"), 115);

  EXPECT_EQ(Serials(SubjectDetailRequest("3", "节余").detail_query), (std::vector<long long>{4, 3, 2, 1}));
  EXPECT_EQ(Serials(SubjectDetailRequest("", "").detail_query).size(), 8u);
}

}  // namespace
}  // namespace money
