#include "transactions/ledger_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "storage/ledger_database.h"
#include "subjects/subject_codes.h"
#include "support/ledger_fixture.h"
#include "transactions/posting_engine.h"

namespace money {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Books with every shape of entry: multi-level sides, a transfer within one chain, a transfer to the
// same subject, a negative amount, a posting to a subject with children, a changed and a deleted entry.
class BooksTest : public test::LedgerFixture {
 protected:
  BooksTest() {
    for (const auto& [code, name] : std::vector<std::pair<std::string, std::string>>{{"1001", "工资"},
                                                                                     {"1001001", "基本工资"},
                                                                                     {"2001", "食品"},
                                                                                     {"2001001", "蔬菜"},
                                                                                     {"3001", "现金"},
                                                                                     {"3002", "银行"},
                                                                                     {"3002001", "工行"}}) {
      AddSubject(code, name);
    }
    Post(EntryKind::Income, "1001001", "3002001", 5000);   // 1
    Post(EntryKind::Expense, "3001", "2001001", 12.5);     // 2
    Post(EntryKind::Transfer, "3002001", "3001", 300);     // 3
    Post(EntryKind::Transfer, "3001", "3001", 50);         // 4
    Post(EntryKind::Expense, "3001", "2001", -5);          // 5
    Post(EntryKind::Income, "1001", "3001", 800);          // 6
    Post(EntryKind::Expense, "3002001", "2001001", 99.9);  // 7
    Post(EntryKind::Income, "1001001", "3001", 1);         // 8
    Require(ModifyEntry(db_, StoredEntry{EntryKind::Expense, 7, "3002001", "2001001", 99.9},
                        EntryChange{"2005.03.09", "3001", "2001", 88.8, "改", "0001", "记账员"}));
    Require(DeleteEntry(db_, StoredEntry{EntryKind::Income, 8, "1001001", "3001", 1}));
  }

  void Post(EntryKind kind, const std::string& source, const std::string& destination, double amount) {
    Require(PostEntry(db_, NewEntry{kind, "2005.03.07", EntrySide{source, LevelOfCode(source)},
                                    EntrySide{destination, LevelOfCode(destination)}, amount, "", "0001", "记账员"}));
  }

  static void Require(const PostingResult& result) { ASSERT_TRUE(result.ok) << result.detail; }

  // Damage is done the way a foreign tool would: raw statements, no foreign keys.
  void Damage(const std::vector<std::string>& statements) {
    db_.ExecuteOwn("pragma foreign_keys=off", {});
    for (const std::string& statement : statements) db_.ExecuteOwn(statement, {});
  }
};

TEST_F(BooksTest, SoundBooksShowNoViolation) { EXPECT_THAT(CheckLedger(db_), IsEmpty()); }

// Another process saves an entry after the chart is read and before the journal is walked: the check
// reads the books as of one moment, so the new entry is wholly outside what it sees.
TEST_F(BooksTest, AnEntrySavedDuringTheCheckGivesNoFalseViolation) {
  LedgerDatabase other;
  other.Open(db_.File());
  bool saved = false;
  db_.SetStatementObserver([&](std::string_view statement) {
    if (saved || statement.find("from B_SZ") == std::string_view::npos) return;
    saved = true;
    const PostingResult result = PostEntry(
        other, NewEntry{EntryKind::Expense, "2005.03.10", {"3001", 2}, {"2001001", 3}, 7, "", "0001", "记账员"});
    EXPECT_TRUE(result.ok) << result.detail;
  });
  EXPECT_THAT(CheckLedger(db_), IsEmpty());
  ASSERT_TRUE(saved);
  db_.SetStatementObserver({});
  EXPECT_EQ(Count("select count(*) from B_SZ where lsh=9"), 1);
  EXPECT_THAT(CheckLedger(db_), IsEmpty());
}

TEST_F(BooksTest, RoundingOfRunningBalancesIsNoViolation) {
  AddSubject("1002", "利息");
  for (int i = 0; i < 10; ++i) Post(EntryKind::Income, "1002", "3001", 0.1);
  // The running balance has picked up rounding that a careful sum of the lines does not have.
  ASSERT_NE(Balance("1002"), 1.0);
  EXPECT_THAT(CheckLedger(db_), IsEmpty());
}

struct Damage {
  const char* name;
  std::vector<std::string> statements;
  std::vector<std::string> expected;  // one fragment per violation, in the order reported
};

class DamagedBooksTest : public BooksTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedBooksTest, NamesExactlyTheBrokenRule) {
  Damage(GetParam().statements);
  const std::vector<std::string> violations = CheckLedger(db_);
  ASSERT_EQ(violations.size(), GetParam().expected.size()) << ::testing::PrintToString(violations);
  for (size_t i = 0; i < violations.size(); ++i) EXPECT_THAT(violations[i], HasSubstr(GetParam().expected[i]));
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedBooksTest,
    ::testing::Values(
        Damage{"Balance",
               {"update B_KM set ye=ye+0.01 where id='2001001'"},
               {"subject '2001001' (蔬菜): balance 12.51, but its posting lines sum to 12.5"}},
        Damage{"OrphanLines", {"delete from B_SZ where lsh=2"}, {"5 posting line(s) with serial number 2"}},
        Damage{"EntryWithoutLines",
               {"delete from B_MX where lsh=2", "update B_KM set ye=ye+12.5 where id in ('3001','3')",
                "update B_KM set ye=ye-12.5 where id in ('2001001','2001','2')"},
               {"entry 2 has no posting lines"}},
        Damage{"DetailLineMarkedAsAncestor",
               {"update B_MX set mx=0 where lsh=1 and kmbh='3002001'"},
               {"entry 1: its detail lines (mx=1) are on [1001001], expected on [1001001, 3002001]"}},
        Damage{"AncestorLineMissing",
               {"delete from B_MX where lsh=1 and kmbh='1001'", "update B_KM set ye=ye-5000 where id='1001'"},
               {"entry 1: its ancestor lines (mx=0) are on [1, 3, 3002], expected on [1, 1001, 3, 3002]"}},
        Damage{"LineDate",
               {"update B_MX set ymd='2005.03.08' where lsh=3 and kmbh='3002'"},
               {"entry 3: the line of subject '3002' has date/operator/kind 2005.03.08/0001/3"}},
        Damage{"LineOperator",
               {"update B_MX set UID='9999' where lsh=6 and kmbh='1'"},
               {"entry 6: the line of subject '1' has date/operator/kind 2005.03.07/9999/1"}},
        Damage{"LineParent",
               {"update B_MX set parentid='3' where lsh=1 and kmbh='3002001'"},
               {"entry 1: the line of subject '3002001' names the parent '3', expected '3002'"}},
        Damage{
            "LineSign",
            {"update B_MX set je=-je where lsh=3 and kmbh='3002001'", "update B_KM set ye=ye+600 where id='3002001'"},
            {"entry 3 (amount 300): the line of subject '3002001' carries 300, expected -300"}},
        Damage{"LineAmountOfTransferToTheSameSubject",
               {"update B_MX set je=-je where lsh=4 and kmbh='3' and je<0", "update B_KM set ye=ye+100 where id='3'"},
               {"entry 4 (amount 50): the line of subject '3' carries 50, expected -50"}},
        Damage{"Counter",
               {"update B_LSH set lsh=5"},
               {"the serial number counter is 5, below the greatest serial number 7"}},
        Damage{"Level", {"update B_KM set js=3 where id='3002'"}, {"subject '3002': its level is 3, expected 2"}},
        Damage{"LongName",
               {"update B_KM set lmc='支出\\食品\\青菜' where id='2001001'"},
               {"subject '2001001': its long name is '支出\\食品\\青菜', expected '支出\\食品\\蔬菜'"}},
        Damage{"Parent",
               {"update B_KM set parentid='2' where id='2001001'"},
               {"subject '2001001': its parent code is '2', expected '2001'"}},
        Damage{"MalformedCode",
               {"insert into B_KM(id,parentid,mc,js,ye,lmc,bz) values('20011','2001','x',2,0,'支出\\x','')"},
               {"subject '20011': the code is not 3n-2 digits"}},
        Damage{"MissingParent",
               {"insert into B_KM(id,parentid,mc,js,ye,lmc,bz) values('2005001','2005','x',3,0,'支出\\y\\x','')"},
               {"subject '2005001': its parent '2005' is not in the chart"}},
        Damage{"EntryOfTheWrongKind",
               {"update B_SZ set lb=1 where lsh=2", "update B_MX set lb=1 where lsh=2"},
               {"entry 2: its source subject '3001' is not of the class its kind takes",
                "entry 2: its destination subject '2001001' is not of the class its kind takes",
                "entry 2 (amount 12.5): the line of subject '3' carries -12.5, expected 12.5"}},
        Damage{"EntryDate",
               {"update B_SZ set ymd='2005.02.30' where lsh=2", "update B_MX set ymd='2005.02.30' where lsh=2"},
               {"entry 2: its date '2005.02.30' is not a calendar date"}},
        Damage{"EntrySubjectIsAClassRoot",
               {"update B_SZ set kmbhd='2' where lsh=5", "delete from B_MX where lsh=5 and kmbh='2001'",
                "update B_MX set mx=1 where lsh=5 and kmbh='2'", "update B_KM set ye=ye+5 where id='2001'"},
               {"entry 5: its destination subject '2' is a class root"}}),
    [](const ::testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST_F(BooksTest, ShowsTheFirstTwentyViolationsOfAKindAndCountsTheRest) {
  for (int i = 2; i <= 31; ++i) AddSubject("20" + std::string(i < 10 ? "0" : "") + std::to_string(i), "类");
  Damage({"update B_KM set ye=1 where id like '20__'"});
  const std::vector<std::string> violations = CheckLedger(db_);
  ASSERT_EQ(violations.size(), 21u);
  EXPECT_THAT(violations.front(), HasSubstr("subject '2001'"));
  EXPECT_EQ(violations.back(), "... and 11 more balance problems");
}

TEST_F(BooksTest, ReportsKindsOfViolationInAFixedOrder) {
  Damage({"update B_LSH set lsh=0", "update B_KM set ye=ye+1 where id='3001'", "update B_KM set js=4 where id='3001'"});
  EXPECT_THAT(CheckLedger(db_), ElementsAre(HasSubstr("subject '3001': its level"), HasSubstr("subject '3001' (现金)"),
                                            HasSubstr("serial number counter")));
}

}  // namespace
}  // namespace money
