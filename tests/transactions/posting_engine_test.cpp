#include "transactions/posting_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/ledger_fixture.h"
#include "support/worked_example.h"
#include "transactions/transaction_messages.h"

namespace money {
namespace {

class PostingEngineTest : public test::LedgerFixture {
 protected:
  PostingEngineTest() {
    for (const auto& [code, name] : std::initializer_list<std::pair<const char*, const char*>>{
             {"1001", "工资"}, {"1001001", "基本"}, {"3001", "现金"}, {"3002", "银行"}, {"3002001", "工行"},
             {"2002", "食品"}, {"2002001", "蔬菜"}}) {
      AddSubject(code, name);
    }
    db_.Execute("update B_LSH set lsh=56 where id=1");
  }

  // Every statement recorded inside the last transaction.
  std::vector<std::string> InLastTransaction() const {
    const auto last_begin = std::find(recorded_.rbegin(), recorded_.rend(), "begin immediate");
    EXPECT_NE(last_begin, recorded_.rend());
    std::vector<std::string> statements;
    for (auto it = last_begin.base(); it != recorded_.end() && *it != "commit"; ++it) statements.push_back(*it);
    return statements;
  }

  // The statements of the last transaction that write, without the read that guards a change or delete.
  std::vector<std::string> Transactional() const {
    std::vector<std::string> statements;
    for (const std::string& statement : InLastTransaction()) {
      if (statement.rfind("select", 0) != 0) statements.push_back(statement);
    }
    return statements;
  }

  NewEntry Income(double amount, std::string memo = "工资") {
    return NewEntry{EntryKind::Income, "2005.03.07", {"1001001", 3}, {"3001", 2}, amount, std::move(memo),
                    "0001", "记账员"};
  }

  long long Lines() { return Count("select count(*) from B_MX"); }
  long long Entries() { return Count("select count(*) from B_SZ"); }
  long long Counter() { return Count("select lsh from B_LSH where id=1"); }
  // Every row of the chart, the journal and the lines, as one text.
  std::string Books() {
    std::string books;
    for (const char* select : {"select * from B_KM order by id", "select * from B_SZ order by lsh",
                               "select * from B_MX order by lsh,kmbh,mx,je"}) {
      for (QueryDataset rows = db_.OpenQuery(select); !rows.Eof(); rows.Next()) {
        for (const FieldValue& value : rows.Row()) books += FieldText(value) + "|";
        books += "\n";
      }
    }
    return books;
  }
};

TEST_F(PostingEngineTest, IncomeSendsTheElevenStatementsOfTheWorkedExample) {
  Record();
  const PostingResult result = PostEntry(db_, Income(120.5));
  ASSERT_TRUE(result.ok) << result.detail;
  EXPECT_EQ(result.serial, 57);
  EXPECT_EQ(Counter(), 57);
  EXPECT_EQ(InLastTransaction(), test::kWorkedExampleStatements);
  for (const char* code : {"1001001", "1001", "1", "3001", "3"}) EXPECT_EQ(Balance(code), 120.5) << code;
}

TEST_F(PostingEngineTest, ExpenseAndDeleteSendTheirStatementsInOrder) {
  ASSERT_TRUE(PostEntry(db_, Income(120.5)).ok);
  Record();
  const NewEntry expense{EntryKind::Expense, "2005.03.07", {"3001", 2}, {"2002", 2}, 120.5, "", "0001", "记账员"};
  ASSERT_TRUE(PostEntry(db_, expense).ok);
  EXPECT_EQ(Transactional(),
            (std::vector<std::string>{
                "insert into B_SZ values(58,'2005.03.07','3001','2002',120.5,'','0001','记账员',2)",
                "update B_KM set ye=ye-120.5 where id='3001'",
                "insert into B_MX values(58,'2005.03.07','3001','3',-120.5,'0001',2,1)",
                "update B_KM set ye=ye-120.5 where id='3'",
                "insert into B_MX values(58,'2005.03.07','3',NULL,-120.5,'0001',2,0)",
                "update B_KM set ye=120.5+ye where id='2002'",
                "insert into B_MX values(58,'2005.03.07','2002','2',120.5,'0001',2,1)",
                "update B_KM set ye=120.5+ye where id='2'",
                "insert into B_MX values(58,'2005.03.07','2',NULL,120.5,'0001',2,0)",
            }));
  EXPECT_EQ(Balance("3001"), 0);
  EXPECT_EQ(Balance("2"), 120.5);

  Record();
  ASSERT_TRUE(DeleteEntry(db_, StoredEntry{EntryKind::Income, 57, "1001001", "3001", 120.5}).ok);
  // The one read before the writes checks the entry is still as the caller saw it.
  EXPECT_EQ(InLastTransaction().front(), "select kmbhs,kmbhd,je,lb from B_SZ where lsh=?");
  EXPECT_EQ(InLastTransaction().size(), Transactional().size() + 1);
  EXPECT_EQ(Transactional(), (std::vector<std::string>{
                                 "update B_KM set ye=ye-120.5 where id='1001001'",
                                 "update B_KM set ye=ye-120.5 where id='1001'",
                                 "update B_KM set ye=ye-120.5 where id='1'",
                                 "update B_KM set ye=ye-120.5 where id='3001'",
                                 "update B_KM set ye=ye-120.5 where id='3'",
                                 "delete from B_MX where lsh=57",
                                 "delete from B_SZ where lsh=57",
                             }));
  EXPECT_EQ(Balance("1001001"), 0);
  EXPECT_EQ(Balance("1"), 0);
  EXPECT_EQ(Balance("3001"), -120.5);
  EXPECT_EQ(Count("select count(*) from B_MX where lsh=57"), 0);
}

TEST_F(PostingEngineTest, FailedSaveLeavesTheBooksAsTheyWereAndLosesItsSerialNumber) {
  ASSERT_TRUE(PostEntry(db_, Income(10)).ok);
  const long long lines = Lines();
  const PostingResult failed = PostEntry(db_, Income(5, std::string(201, 'm')));
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(failed.message, kSaveFailedMessage);
  EXPECT_EQ(failed.serial, 58);
  EXPECT_FALSE(db_.InTransaction());
  EXPECT_EQ(Lines(), lines);
  EXPECT_EQ(Entries(), 1);
  EXPECT_EQ(Balance("1001001"), 10);
  EXPECT_EQ(Balance("3"), 10);
  EXPECT_EQ(Counter(), 58);
  EXPECT_EQ(PostEntry(db_, Income(5)).serial, 59);
}

TEST_F(PostingEngineTest, CounterFailureStopsBeforeAnyWrite) {
  db_.Execute("delete from B_LSH");
  const PostingResult result = PostEntry(db_, Income(10));
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message, kSaveFailedMessage);
  EXPECT_FALSE(result.message.empty());
  EXPECT_EQ(Entries(), 0);
  EXPECT_EQ(Balance("1"), 0);
}

TEST_F(PostingEngineTest, NegativeAmountsKeepTheirSign) {
  Record();
  ASSERT_TRUE(PostEntry(db_, Income(-5)).ok);
  EXPECT_EQ(Transactional()[1], "update B_KM set ye=-5+ye where id='1001001'");
  EXPECT_EQ(Transactional()[2], "insert into B_MX values(57,'2005.03.07','1001001','1001',-5,'0001',1,1)");
  Record();
  const NewEntry expense{EntryKind::Expense, "2005.03.08", {"3001", 2}, {"2002001", 3}, -5, "", "0001", "记账员"};
  ASSERT_TRUE(PostEntry(db_, expense).ok);
  EXPECT_EQ(Transactional()[1], "update B_KM set ye=ye--5 where id='3001'");
  EXPECT_EQ(Transactional()[2], "insert into B_MX values(58,'2005.03.08','3001','3',5,'0001',2,1)");
  EXPECT_EQ(Balance("3001"), 0);
  EXPECT_EQ(Balance("3"), 0);
  EXPECT_EQ(Balance("3002"), 0);
  EXPECT_EQ(Balance("2002001"), -5);
  EXPECT_EQ(Balance("2"), -5);
  EXPECT_EQ(Balance("1"), -5);
}

TEST_F(PostingEngineTest, TransferToItselfChangesNoBalanceAndHasTwoDetailLines) {
  const NewEntry transfer{EntryKind::Transfer, "2005.03.07", {"3002001", 3}, {"3002001", 3}, 30, "", "0001", "记账员"};
  ASSERT_TRUE(PostEntry(db_, transfer).ok);
  EXPECT_EQ(Balance("3002001"), 0);
  EXPECT_EQ(Balance("3"), 0);
  EXPECT_EQ(Count("select count(*) from B_MX where mx=1 and kmbh='3002001'"), 2);
  EXPECT_EQ(Lines(), 6);
}

TEST_F(PostingEngineTest, ModifyUndoesAndRedoesUnderTheSameSerialNumber) {
  ASSERT_TRUE(PostEntry(db_, Income(100)).ok);
  const StoredEntry stored{EntryKind::Income, 57, "1001001", "3001", 100};

  ASSERT_TRUE(ModifyEntry(db_, stored, EntryChange{"2005.03.07", "1001001", "3001", 100, "工资", "0002", "出纳"}).ok);
  EXPECT_EQ(Balance("3001"), 100);
  EXPECT_EQ(Balance("1"), 100);
  EXPECT_EQ(Count("select count(*) from B_MX where lsh=57 and UID='0002'"), 5);
  QueryDataset entry = db_.OpenQuery("select * from B_SZ where lsh=57");
  EXPECT_EQ(entry.Text("UNAME"), "出纳");
  EXPECT_EQ(Counter(), 57);

  Record();
  ASSERT_TRUE(ModifyEntry(db_, stored, EntryChange{"2005.04.01", "1001", "3002001", 80, "改", "0001", "记账员"}).ok);
  EXPECT_EQ(Transactional()[0], "update B_KM set ye=ye-100 where id='1001001'");
  EXPECT_EQ(Transactional()[5], "delete from B_MX where lsh=57");
  EXPECT_EQ(Transactional()[6],
            "update B_SZ set ymd='2005.04.01',kmbhs='1001',kmbhd='3002001',je=80,zy='改',UID='0001',"
            "UNAME='记账员',lb=1 where lsh=57");
  EXPECT_EQ(Balance("1001001"), 0);
  EXPECT_EQ(Balance("1001"), 80);
  EXPECT_EQ(Balance("3001"), 0);
  EXPECT_EQ(Balance("3002001"), 80);
  EXPECT_EQ(Balance("3"), 80);
  EXPECT_EQ(Count("select count(*) from B_MX where lsh=57 and ymd='2005.04.01'"), 5);
  EXPECT_EQ(Count("select count(*) from B_MX where lsh=57 and mx=1"), 2);
}

TEST_F(PostingEngineTest, ModifyOfTheAmountAloneMovesBothChainsByTheDifference) {
  ASSERT_TRUE(PostEntry(db_, Income(100)).ok);
  ASSERT_TRUE(PostEntry(db_, Income(30)).ok);
  const std::vector<std::string> chains = {"1001001", "1001", "1", "3001", "3"};
  std::vector<double> before;
  for (const std::string& code : chains) before.push_back(Balance(code));

  const StoredEntry stored{EntryKind::Income, 57, "1001001", "3001", 100};
  ASSERT_TRUE(ModifyEntry(db_, stored, EntryChange{"2005.03.07", "1001001", "3001", 80, "工资", "0001", "记账员"}).ok);
  for (size_t i = 0; i < chains.size(); ++i) EXPECT_EQ(Balance(chains[i]), before[i] - 20) << chains[i];
  EXPECT_EQ(Balance("3002"), 0);
  EXPECT_EQ(Count("select count(*) from B_MX where lsh=57"), 5);
  EXPECT_EQ(Count("select count(*) from B_MX where lsh=57 and je=80"), 5);
  EXPECT_EQ(Count("select count(*) from B_MX where lsh=58 and je=30"), 5);
  EXPECT_EQ(Count("select je from B_SZ where lsh=57"), 80);
}

TEST_F(PostingEngineTest, ModifyFailingAfterItsReversalsLeavesTheBooksAsTheyWere) {
  ASSERT_TRUE(PostEntry(db_, Income(100)).ok);
  const std::string books = Books();
  Record();
  const PostingResult failed =
      ModifyEntry(db_, StoredEntry{EntryKind::Income, 57, "1001001", "3001", 100},
                  EntryChange{"2005.03.08", "1001", "3002001", 80, std::string(201, 'm'), "0001", "记账员"});
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(failed.message, kSaveFailedMessage);
  EXPECT_FALSE(failed.detail.empty());
  // The balances were undone and the lines deleted before the memo was refused.
  const std::vector<std::string> ran = InLastTransaction();
  EXPECT_NE(std::find(ran.begin(), ran.end(), "update B_KM set ye=ye-100 where id='3'"), ran.end());
  EXPECT_NE(std::find(ran.begin(), ran.end(), "delete from B_MX where lsh=57"), ran.end());
  ASSERT_GE(ran.size(), 2u);
  EXPECT_EQ(ran[ran.size() - 2].rfind("update B_SZ set ", 0), 0u);
  EXPECT_EQ(ran.back(), "rollback");
  EXPECT_FALSE(db_.InTransaction());
  EXPECT_EQ(Books(), books);
}

TEST_F(PostingEngineTest, ChangingOrDeletingAnEntryThatChangedMeanwhileIsRefused) {
  ASSERT_TRUE(PostEntry(db_, Income(100)).ok);
  const StoredEntry stored{EntryKind::Income, 57, "1001001", "3001", 100};
  ASSERT_TRUE(DeleteEntry(db_, stored).ok);
  const PostingResult again = DeleteEntry(db_, stored);
  EXPECT_FALSE(again.ok);
  EXPECT_EQ(again.message, kSaveFailedMessage);
  EXPECT_FALSE(ModifyEntry(db_, stored, EntryChange{"2005.03.07", "1001001", "3001", 1, "", "0001", "x"}).ok);
  EXPECT_EQ(Balance("3001"), 0);
  EXPECT_EQ(Balance("1"), 0);
  EXPECT_EQ(Lines(), 0);
}

}  // namespace
}  // namespace money
