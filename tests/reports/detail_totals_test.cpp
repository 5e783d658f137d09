#include "reports/detail_totals.h"

#include <gtest/gtest.h>

#include "reports/detail_fields.h"
#include "support/ledger_fixture.h"

namespace money {
namespace {

TEST(DetailFooterTextTest, CountAfterItsWordAndTheSumWithExactlyTwoDecimals) {
  EXPECT_EQ(CountFooterText(0), "个数=0");
  EXPECT_EQ(CountFooterText(70001), "个数=70001");
  const std::pair<double, const char*> sums[] = {
      {0, "0.00"},      {12.5, "12.50"}, {-3, "-3.00"},     {1234567.891, "1234567.89"},
      {-0.004, "0.00"}, {0.005, "0.01"}, {-0.125, "-0.13"}, {1e15, "1000000000000000.00"},
  };
  for (const auto& [sum, text] : sums) EXPECT_EQ(SumFooterText(sum), text) << sum;
}

TEST(DetailFieldsTest, KindTextOnlyForTheThreeKinds) {
  const std::pair<FieldValue, const char*> kinds[] = {
      {1LL, "收入"}, {2LL, "支出"}, {3LL, "转帐"}, {0LL, ""},          {4LL, ""},
      {-1LL, ""},    {2.0, "支出"}, {2.5, ""},     {FieldValue{}, ""},
  };
  for (const auto& [kind, text] : kinds) EXPECT_EQ(KindText(kind), text);
}

using DetailTotalsTest = test::LedgerFixture;

TEST_F(DetailTotalsTest, TheTotalsQueryCountsAndSumsItsLinesAndNoLinesSumToZero) {
  db_.Execute("insert into B_SZ values (1, '2005.03.01', '1', '3', 12.5, '', '9999', '', 1)");
  db_.Execute("insert into B_MX values (1, '2005.03.01', '3', '', 12.5, '9999', 1, 1)");
  db_.Execute("insert into B_MX values (1, '2005.03.01', '1', '', -15.75, '9999', 1, 1)");
  const std::string totals = "select count(*) as ct,sum(je) as sumje from B_MX where mx=1 and kmbh like ";
  const DetailTotals all = ReadDetailTotals(db_, totals + "'%'");
  EXPECT_EQ(all.count, 2);
  EXPECT_DOUBLE_EQ(all.sum, -3.25);
  const DetailTotals none = ReadDetailTotals(db_, totals + "'2%'");
  EXPECT_EQ(none.count, 0);
  EXPECT_EQ(none.sum, 0);
}

}  // namespace
}  // namespace money
