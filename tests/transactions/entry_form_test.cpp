#include "transactions/entry_form.h"

#include <gtest/gtest.h>

#include "transactions/entry_messages.h"

namespace money {
namespace {

TEST(EntryFormTest, SaveChecksStopAtTheFirstProblem) {
  const struct {
    const char* source;
    const char* destination;
    const char* amount;
    bool ok;
    std::string message;
    double posted;
  } cases[] = {
      {"", "3001", "10", false, kRequiredFieldsMissing, 0},
      {"1001", "", "abc", false, kRequiredFieldsMissing, 0},
      {"1001", "   ", "10", false, kRequiredFieldsMissing, 0},
      {"1001", "3001", "0", false, kRequiredFieldsMissing, 0},
      {"1001", "3001", "0.00", false, kRequiredFieldsMissing, 0},
      {"1001", "3001", "", false, InvalidNumberMessage(""), 0},
      {"1001", "3001", "12,5", false, InvalidNumberMessage("12,5"), 0},
      {"1001", "3001", "-20", true, "", -20},
      {"1001", "3001", " 120.50 ", true, "", 120.5},
  };
  for (const auto& c : cases) {
    const SaveCheck check = CheckEntrySave(c.source, c.destination, c.amount);
    EXPECT_EQ(check.ok, c.ok) << c.amount;
    EXPECT_EQ(check.message, c.message) << c.amount;
    EXPECT_EQ(check.amount, c.posted) << c.amount;
  }
}

TEST(EntryFormTest, AmountTextsAndDates) {
  EXPECT_EQ(NormalizedAmountText("12.50"), "12.5");
  EXPECT_EQ(NormalizedAmountText("0"), "0");
  EXPECT_EQ(NormalizedAmountText("-0020"), "-20");
  EXPECT_EQ(NormalizedAmountText("1e3"), "1000");
  EXPECT_EQ(NormalizedAmountText("12a"), std::nullopt);
  const std::optional<DateParts> date = SplitDateText("2005.03.07");
  ASSERT_TRUE(date);
  EXPECT_EQ(date->year, 2005);
  EXPECT_EQ(date->month, 3);
  EXPECT_EQ(date->day, 7);
  EXPECT_EQ(DateText(*date), "2005.03.07");
  EXPECT_FALSE(SplitDateText("2005.3.7"));
}

// The edit dialog opens on the amount the journal grid shows: rounded half away from zero from its
// 15 significant digits, never from the binary value below it (20.555 is stored as 20.55499...).
TEST(EntryFormTest, AmountForEditingRoundsAsTheJournalGrid) {
  const struct {
    double amount;
    const char* text;
  } cases[] = {
      {120.5, "120.50"},           {-3, "-3.00"}, {20.555, "20.56"}, {-20.555, "-20.56"}, {0.125, "0.13"},
      {1234567.005, "1234567.01"}, {0, "0.00"},   {-0.004, "0.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(AmountForEditing(c.amount), c.text) << c.amount;
}

}  // namespace
}  // namespace money
