#include "transactions/entry_input.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ledger_fixture.h"

namespace money {
namespace {

using ::testing::HasSubstr;

TEST(ParseAmountTest, ReadsWholeDecimalNumbers) {
  const std::vector<std::pair<std::string, double>> cases = {
      {"120.5", 120.5}, {" 12.50 ", 12.5}, {"-5", -5},         {"+7", 7},        {".5", 0.5},
      {"5.", 5},        {"1e3", 1000},     {"1.5E-6", 1.5e-6}, {"-0.01", -0.01}, {"\t100\t", 100},
  };
  for (const auto& [text, value] : cases) {
    const std::optional<double> amount = ParseAmount(text);
    ASSERT_TRUE(amount.has_value()) << text;
    EXPECT_DOUBLE_EQ(*amount, value) << text;
  }
}

TEST(ParseAmountTest, RefusesTextThatIsNotANonZeroFiniteNumber) {
  for (const char* text : {"",   "   ", "abc", "0",    "0.00", "-0",  "0e5",   "1,000",  "1 000", "12.5元", "1e",
                           "e5", "--5", "+-5", "0x10", "inf",  "nan", "1e400", "-1e400", ".",     "-",      "1.2.3"}) {
    EXPECT_FALSE(ParseAmount(text).has_value()) << text;
  }
}

TEST(IsDateTextTest, AcceptsOnlyRealCalendarDatesWrittenWithFullStops) {
  for (const char* text : {"2005.03.07", "2004.02.29", "2000.02.29", "1999.12.31", "2005.01.01"}) {
    EXPECT_TRUE(IsDateText(text)) << text;
  }
  for (const char* text :
       {"2005.02.29", "1900.02.29", "2005.13.01", "2005.00.10", "2005.04.31", "2005.03.00", "2005.3.7", "2005-03-07",
        "05.03.07", "2005.03.07 ", " 2005.03.07", "", "0000.01.01", "2005.03.0a"}) {
    EXPECT_FALSE(IsDateText(text)) << text;
  }
}

class CheckEntryInputTest : public test::LedgerFixture {
 protected:
  CheckEntryInputTest() {
    for (const auto& [code, name] : std::vector<std::pair<std::string, std::string>>{{"1001", "工资"},
                                                                                     {"1001001", "基本工资"},
                                                                                     {"2001", "食品"},
                                                                                     {"3001", "现金"},
                                                                                     {"3002", "银行"},
                                                                                     {"3002001", "工行"}}) {
      AddSubject(code, name);
    }
    db_.ExecuteOwn("insert into B_USER(UID,UNAME,UPSW,bmbh) values('0001','记账员','','')", {});
  }

  static EntryInput Income() {
    return EntryInput{EntryKind::Income, "2005.03.07", "1001001", "3001", "120.5", "工资", "0001"};
  }
};

TEST_F(CheckEntryInputTest, CompletesAnAcceptedEntryWithTrimmedCodesLevelsAndOperatorName) {
  EntryInput input = Income();
  input.source = " 1001001 ";
  input.amount = " 12.50 ";
  const CheckedEntry checked = CheckEntryInput(db_, input);
  ASSERT_TRUE(checked.entry.has_value()) << checked.problem;
  const NewEntry& entry = *checked.entry;
  EXPECT_EQ(entry.kind, EntryKind::Income);
  EXPECT_EQ(entry.date, "2005.03.07");
  EXPECT_EQ(entry.source.code, "1001001");
  EXPECT_EQ(entry.source.level, 3);
  EXPECT_EQ(entry.destination.code, "3001");
  EXPECT_EQ(entry.destination.level, 2);
  EXPECT_EQ(entry.amount, 12.5);
  EXPECT_EQ(entry.memo, "工资");
  EXPECT_EQ(entry.operator_code, "0001");
  EXPECT_EQ(entry.operator_name, "记账员");
}

TEST_F(CheckEntryInputTest, AcceptsSubjectsWithChildrenTransfersToTheSameSubjectAndNegativeAmounts) {
  EntryInput to_parent = Income();
  to_parent.source = "1001";
  EXPECT_TRUE(CheckEntryInput(db_, to_parent).entry.has_value());

  const CheckedEntry transfer =
      CheckEntryInput(db_, EntryInput{EntryKind::Transfer, "2005.03.07", "3002001", "3002001", "-20", "", "9999"});
  ASSERT_TRUE(transfer.entry.has_value()) << transfer.problem;
  EXPECT_EQ(transfer.entry->amount, -20);
  EXPECT_EQ(transfer.entry->operator_name, "系统管理员");
}

TEST_F(CheckEntryInputTest, TakesTheLevelFromTheSubjectRow) {
  // The dialogs post with the level the chart stores; the code's length is not consulted.
  db_.ExecuteOwn("update B_KM set js=3 where id='3001'", {});
  const CheckedEntry checked = CheckEntryInput(db_, Income());
  ASSERT_TRUE(checked.entry.has_value());
  EXPECT_EQ(checked.entry->destination.level, 3);
}

TEST_F(CheckEntryInputTest, RefusesWhatTheDialogsRefuseNamingTheBadValue) {
  struct Case {
    EntryKind kind;
    std::string date, source, destination, amount, operator_code;
    std::vector<std::string> named;
  };
  const std::vector<Case> cases = {
      {EntryKind::Income, "2005.02.30", "1001001", "3001", "1", "0001", {"'2005.02.30'", "date"}},
      {EntryKind::Income, "2005.03.07", "1009", "3001", "1", "0001", {"'1009'", "source"}},
      {EntryKind::Income, "2005.03.07", "1", "3001", "1", "0001", {"'1'", "class root"}},
      {EntryKind::Income, "2005.03.07", "3001", "3001", "1", "0001", {"'3001'", "source", "income"}},
      {EntryKind::Income, "2005.03.07", "1001001", "2001", "1", "0001", {"'2001'", "destination", "savings"}},
      {EntryKind::Income, "2005.03.07", "1001001", "3", "1", "0001", {"'3'", "class root"}},
      {EntryKind::Expense, "2005.03.07", "1001001", "2001", "1", "0001", {"'1001001'", "source", "savings"}},
      {EntryKind::Expense, "2005.03.07", "3001", "3002", "1", "0001", {"'3002'", "destination", "expense"}},
      {EntryKind::Transfer, "2005.03.07", "3001", "2001", "1", "0001", {"'2001'", "destination", "savings"}},
      {EntryKind::Income, "2005.03.07", "  ", "3001", "1", "0001", {"source", "missing"}},
      {EntryKind::Income, "2005.03.07", "1001001", "", "1", "0001", {"destination", "missing"}},
      {EntryKind::Income, "2005.03.07", "1001001", "3001", "0", "0001", {"'0'", "amount"}},
      {EntryKind::Income, "2005.03.07", "1001001", "3001", "12,5", "0001", {"'12,5'", "amount"}},
      {EntryKind::Income, "2005.03.07", "1001001", "3001", "1", "0002", {"'0002'", "operator"}},
      {EntryKind::Income, "2005.03.07", "1001001", "3001", "1", " 0001", {"' 0001'", "operator"}},
  };
  for (const Case& c : cases) {
    const CheckedEntry checked =
        CheckEntryInput(db_, EntryInput{c.kind, c.date, c.source, c.destination, c.amount, "", c.operator_code});
    EXPECT_FALSE(checked.entry.has_value()) << c.source << " " << c.destination;
    for (const std::string& part : c.named) EXPECT_THAT(checked.problem, HasSubstr(part));
  }
}

}  // namespace
}  // namespace money
