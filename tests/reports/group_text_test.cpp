#include "reports/group_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "reports/date_parts.h"

namespace money {
namespace {

TEST(GroupTextTest, AmountTotalHasAtMostTwoDecimalsAfterTheWords) {
  const std::string format(kGroupTotalFormat);
  const struct {
    double total;
    const char* text;
  } cases[] = {
      {1234.5, "合计 = 1234.5"}, {100, "合计 = 100"},    {0.456, "合计 = .46"}, {2.999, "合计 = 3"},
      {-20, "合计 = -20"},       {-0.125, "合计 = -.13"}, {0, "合计 = "},       {1e-9, "合计 = "},
  };
  for (const auto& c : cases) EXPECT_EQ(SummaryText({c.total}, {format}), c.text) << c.total;
}

TEST(GroupTextTest, SeveralSummariesAreJoinedByCommas) {
  EXPECT_EQ(SummaryText({12.5, 3}, {std::string(kGroupTotalFormat), "个数=0"}), "合计 = 12.5, 个数=3");
  EXPECT_EQ(SummaryText({}, {}), "");
  EXPECT_THROW(SummaryText({1}, {}), std::invalid_argument);
}

TEST(GroupTextTest, GroupRowShowsCaptionValueAndSummaries) {
  EXPECT_EQ(GroupRowText("年月", "2005.03", "合计 = 8"), "年月 : 2005.03  合计 = 8");
  EXPECT_EQ(GroupRowText("年", "2005", ""), "年 : 2005");
}

TEST(DatePartsTest, YearMonthAndYearAreTheLeadingCharactersOfTheDate) {
  const struct {
    const char* date;
    const char* year_month;
    const char* year;
  } cases[] = {
      {"2005.03.07", "2005.03", "2005"},
      {"2005.3", "2005.3", "2005"},
      {"", "", ""},
      {"二〇〇五年三月七日", "二〇〇五年三月", "二〇〇五"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(YearMonthOfDate(c.date), c.year_month) << c.date;
    EXPECT_EQ(YearOfDate(c.date), c.year) << c.date;
  }
}

}  // namespace
}  // namespace money
