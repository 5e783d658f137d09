#include "reports/row_groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace money {
namespace {

// An ordered list as a grid hands it over: year, month, amount.
struct Row {
  std::string year;
  std::string month;
  double amount;
};

const std::vector<Row> kRows = {
    {"2004", "2004.11", 10.0}, {"2004", "2004.11", 2.5}, {"2004", "2004.12", -3.0},
    {"2005", "2005.01", 100.0}, {"2005", "2005.03", 7.25}, {"2005", "2005.03", 0.75},
};

std::unique_ptr<RowGroup> Group(size_t levels, const std::vector<SummaryKind>& summaries) {
  return GroupOrderedRows(
      kRows.size(), levels,
      [](size_t position, size_t level) { return level == 0 ? kRows[position].year : kRows[position].month; },
      summaries, [](size_t position, size_t) { return kRows[position].amount; });
}

TEST(RowGroupsTest, SplitsEachLevelIntoRunsOfEqualKeysWithTheirTotals) {
  const auto whole = Group(2, {SummaryKind::kSum, SummaryKind::kCount});
  EXPECT_EQ(whole->Depth(), 0u);
  EXPECT_EQ(whole->totals, (std::vector<double>{117.5, 6}));
  ASSERT_EQ(whole->subgroups.size(), 2u);

  const struct {
    size_t year;
    size_t month;
    const char* key;
    size_t begin;
    size_t end;
    double sum;
  } expected[] = {
      {0, 0, "2004.11", 0, 2, 12.5}, {0, 1, "2004.12", 2, 3, -3.0},
      {1, 0, "2005.01", 3, 4, 100.0}, {1, 1, "2005.03", 4, 6, 8.0},
  };
  for (const auto& e : expected) {
    const RowGroup& year = *whole->subgroups[e.year];
    const RowGroup& month = *year.subgroups[e.month];
    SCOPED_TRACE(e.key);
    EXPECT_EQ(month.key, e.key);
    EXPECT_EQ(month.begin, e.begin);
    EXPECT_EQ(month.end, e.end);
    EXPECT_EQ(month.totals, (std::vector<double>{e.sum, static_cast<double>(e.end - e.begin)}));
    EXPECT_TRUE(month.subgroups.empty());
    EXPECT_EQ(month.parent, &year);
    EXPECT_EQ(month.position, e.month);
    EXPECT_EQ(month.Depth(), 2u);
    for (size_t position = e.begin; position < e.end; ++position) EXPECT_EQ(&whole->LeafOf(position), &month);
  }
  EXPECT_EQ(whole->subgroups[0]->key, "2004");
  EXPECT_EQ(whole->subgroups[0]->totals, (std::vector<double>{9.5, 3}));
  EXPECT_EQ(whole->subgroups[1]->begin, 3u);
  EXPECT_EQ(whole->subgroups[1]->parent, whole.get());
}

TEST(RowGroupsTest, KeysThatReturnLaterMakeAGroupOfTheirOwn) {
  const std::vector<std::string> keys = {"a", "b", "a"};
  const auto whole = GroupOrderedRows(
      3, 1, [&](size_t position, size_t) { return keys[position]; }, {}, [](size_t, size_t) { return 0.0; });
  ASSERT_EQ(whole->subgroups.size(), 3u);
  EXPECT_EQ(whole->subgroups[2]->key, "a");
  EXPECT_TRUE(whole->totals.empty());
}

TEST(RowGroupsTest, NoLevelsOrNoRowsLeaveOnlyTheWholeList) {
  const auto ungrouped = Group(0, {SummaryKind::kSum});
  EXPECT_TRUE(ungrouped->subgroups.empty());
  EXPECT_EQ(ungrouped->totals, std::vector<double>{117.5});
  EXPECT_EQ(&ungrouped->LeafOf(5), ungrouped.get());

  const auto empty = GroupOrderedRows(
      0, 2, [](size_t, size_t) -> std::string { throw std::logic_error("no row to key"); },
      {SummaryKind::kSum, SummaryKind::kCount}, [](size_t, size_t) -> double { throw std::logic_error("no row"); });
  EXPECT_TRUE(empty->subgroups.empty());
  EXPECT_EQ(empty->totals, (std::vector<double>{0, 0}));
}

}  // namespace
}  // namespace money
