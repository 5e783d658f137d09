#include "storage/ledger_database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "access/password_digest.h"
#include "storage/database_messages.h"
#include "storage/ledger_file.h"
#include "support/ledger_fixture.h"
#include "support/temp_folder.h"

namespace money {
namespace {

using test::LedgerFixture;
using test::TempFolder;

TEST(LedgerOpenTest, RefusesMissingDamagedAndForeignFilesWithoutCreatingAny) {
  TempFolder folder;
  LedgerDatabase db;
  const auto missing = LedgerPath(folder.Path());
  EXPECT_THROW(db.Open(missing), DatabaseError);
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_FALSE(db.Connected());

  const auto damaged = folder / "damaged.mdb";
  std::ofstream(damaged) << "Standard Jet DB, or so it says";
  EXPECT_THROW(db.Open(damaged), DatabaseError);
  EXPECT_FALSE(db.Connected());

  const auto foreign = folder / "foreign.mdb";
  sqlite3* raw = nullptr;
  sqlite3_open(foreign.c_str(), &raw);
  sqlite3_exec(raw, "create table B_KM(id text)", nullptr, nullptr, nullptr);
  sqlite3_close(raw);
  EXPECT_THROW(db.Open(foreign), DatabaseError);

  try {
    db.Execute("delete from B_KM");
    ADD_FAILURE() << "a statement ran without a ledger";
  } catch (const DatabaseError& error) {
    EXPECT_STREQ(error.what(), kNotConnectedMessage);
    EXPECT_EQ(error.Statement(), "delete from B_KM");
  }
}

TEST(LedgerCreateTest, NeverOverwritesAnExistingFile) {
  TempFolder folder;
  const auto file = LedgerPath(folder.Path());
  std::ofstream(file) << "precious";
  EXPECT_THROW(CreateLedger(file), DatabaseError);
  std::ifstream kept(file);
  std::string text;
  std::getline(kept, text);
  EXPECT_EQ(text, "precious");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

class LedgerDatabaseTest : public LedgerFixture {};

TEST_F(LedgerDatabaseTest, NewLedgerHoldsTheSeedRows) {
  QueryDataset roots = db_.OpenQuery("select * from B_KM order by id");
  const std::pair<const char*, const char*> expected[] = {{"1", "收入"}, {"2", "支出"}, {"3", "节余"}};
  for (const auto& [id, name] : expected) {
    ASSERT_FALSE(roots.Eof());
    EXPECT_EQ(roots.Text("id"), id);
    EXPECT_EQ(roots.Text("mc"), name);
    EXPECT_EQ(roots.Text("lmc"), name);
    EXPECT_EQ(roots.Integer("js"), 1);
    EXPECT_TRUE(roots.IsNull("parentid"));
    EXPECT_EQ(roots.Double("ye"), 0);
    roots.Next();
  }
  EXPECT_TRUE(roots.Eof());
  EXPECT_EQ(Count("select lsh from B_LSH where id=1"), 0);
  QueryDataset admin = db_.OpenQuery("select * from B_USER");
  EXPECT_EQ(admin.Text("UID"), "9999");
  EXPECT_EQ(admin.Text("UPSW"), PasswordDigest("9999" "3947"));
  QueryDataset reserved = db_.OpenQuery("select btName from B_GN where is9999=1");
  ASSERT_FALSE(reserved.Eof());
  EXPECT_EQ(reserved.Text("btName"), "N102");
  for (const char* button : {"m0101", "m0102", "m0103", "m0201", "m0301", "N101", "N102", "N107"}) {
    EXPECT_EQ(Count(std::string("select count(*) from B_GN where btName='") + button + "'"), 1) << button;
  }
}

// Limits count characters, not bytes: a limit's worth of Chinese fits, one more letter does not.
TEST_F(LedgerDatabaseTest, TextColumnsHoldUpToTheirLengthInCharacters) {
  const struct {
    const char* column;
    const char* before;
    const char* after;
    int limit;
  } columns[] = {
      {"B_KM.mc", "insert into B_KM values('3001','3','", "',2,0,'x','')", 40},
      {"B_KM.lmc", "insert into B_KM values('3002','3','x',2,0,'", "','')", 240},
      {"B_KM.bz", "insert into B_KM values('3003','3','x',2,0,'x','", "')", 240},
      {"B_SZ.zy", "insert into B_SZ values(1,'2005.03.07','3','3',1,'", "','9999','a',3)", 200},
      {"B_SZ.UNAME", "insert into B_SZ values(2,'2005.03.07','3','3',1,'','9999','", "',3)", 20},
      {"B_USER.UNAME", "insert into B_USER values('0001','", "','','')", 20},
  };
  for (const auto& c : columns) {
    std::string chinese;
    for (int i = 0; i < c.limit; ++i) chinese += "钱";
    const std::string overlong(static_cast<size_t>(c.limit) + 1, 'n');
    EXPECT_THROW(db_.Execute(c.before + overlong + c.after), DatabaseError) << c.column;
    EXPECT_NO_THROW(db_.Execute(c.before + chinese + c.after)) << c.column;
  }
}

TEST_F(LedgerDatabaseTest, StoreRefusesDuplicatesBadDatesAndDeletingUsedSubjects) {
  AddSubject("3001", "现金");
  EXPECT_THROW(db_.Execute("insert into B_KM values('3001','3','again',2,0,'x','')"), DatabaseError);
  AddSubject("3003", "银行");
  EXPECT_THROW(db_.Execute("insert into B_SZ values(1,'2005-03-07','3001','3001',1,'','9999','a',3)"), DatabaseError);

  db_.Execute("insert into B_SZ values(1,'2005.03.07','3001','3001',1,'','9999','a',3)");
  EXPECT_THROW(db_.Execute("delete from B_KM where id='3001'"), DatabaseError);
  db_.Execute("delete from B_SZ where lsh=1");
  db_.Execute("insert into B_SZ values(2,'2005.03.07','3003','3003',1,'','9999','a',3)");
  db_.Execute("insert into B_MX values(2,'2005.03.07','3001','3',1,'9999',3,1)");
  EXPECT_THROW(db_.Execute("delete from B_KM where id='3001'"), DatabaseError);
  db_.Execute("delete from B_MX where lsh=2");
  db_.Execute("delete from B_KM where id='3001'");
  EXPECT_EQ(Count("select count(*) from B_KM where id='3001'"), 0);
}

TEST_F(LedgerDatabaseTest, RollbackUndoesEveryStatementOfTheTransaction) {
  AddSubject("3001", "现金");
  db_.BeginTrans();
  db_.Execute("update B_KM set ye=10+ye where id='3001'");
  db_.Execute("update B_KM set ye=10+ye where id='3'");
  EXPECT_THROW(db_.BeginTrans(), DatabaseError);
  db_.RollbackTrans();
  EXPECT_EQ(Balance("3001"), 0);
  EXPECT_EQ(Balance("3"), 0);
  {
    Transaction unfinished(db_);
    db_.Execute("update B_KM set ye=1+ye where id='3001'");
  }
  EXPECT_FALSE(db_.InTransaction());
  EXPECT_EQ(Balance("3001"), 0);
  {
    Transaction finished(db_);
    db_.Execute("update B_KM set ye=1+ye where id='3001'");
    finished.Commit();
  }
  EXPECT_EQ(Balance("3001"), 1);
}

TEST_F(LedgerDatabaseTest, ASecondConnectionSeesOnlyCommittedWork) {
  AddSubject("3001", "现金");
  LedgerDatabase other;
  other.Open(db_.File());
  db_.BeginTrans();
  db_.Execute("update B_KM set ye=7+ye where id='3001'");
  QueryDataset before = other.OpenQuery("select ye from B_KM where id='3001'");
  EXPECT_EQ(before.Double("ye"), 0);
  db_.CommitTrans();
  before.Refresh();
  EXPECT_EQ(before.Double("ye"), 7);
}

TEST_F(LedgerDatabaseTest, CommitsWaitForTheDiskAndKeepReferencesEnforced) {
  EXPECT_EQ(Count("pragma synchronous"), 2);
  EXPECT_EQ(Count("pragma foreign_keys"), 1);
  QueryDataset mode = db_.OpenQuery("pragma journal_mode");
  EXPECT_EQ(mode.Text("journal_mode"), "wal");
}

TEST_F(LedgerDatabaseTest, ASecondWriterWaitsForTheFirstInsteadOfFailing) {
  LedgerDatabase other;
  other.Open(db_.File());
  db_.BeginTrans();
  db_.Execute("update B_KM set ye=1+ye where id='1'");
  std::thread first_commits_later([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    db_.CommitTrans();
  });
  EXPECT_NO_THROW(other.BeginTrans());
  other.Execute("update B_KM set ye=1+ye where id='1'");
  other.CommitTrans();
  first_commits_later.join();
  EXPECT_EQ(Balance("1"), 2);
}

TEST_F(LedgerDatabaseTest, AHalfReadListDoesNotBlockOwnWritesAfterAnotherProcessWrote) {
  for (int i = 100; i < 300; ++i) AddSubject("2" + std::to_string(i), "支出");
  QueryDataset list = db_.OpenCursor("select * from B_KM order by id");
  list.Next();
  LedgerDatabase other;
  other.Open(db_.File());
  other.Execute("update B_KM set ye=1+ye where id='2'");
  EXPECT_NO_THROW({
    Transaction transaction(db_);
    db_.Execute("update B_KM set ye=1+ye where id='2'");
    transaction.Commit();
  });
  EXPECT_EQ(Balance("2"), 2);
  list.Next();
  EXPECT_FALSE(list.Eof());
}

TEST_F(LedgerDatabaseTest, TableDatasetFindsEditsAndAppends) {
  TableDataset users = db_.OpenTable("B_USER", {"", "UID", {"UID"}});
  EXPECT_FALSE(users.FindKey({"0001"}));
  users.Append();
  users.SetField("UID", std::string("a001"));
  users.SetField("UNAME", std::string("记账员"));
  users.SetField("UPSW", PasswordDigest("a001"));
  users.Post();
  EXPECT_EQ(users.Text("UNAME"), "记账员");
  EXPECT_FALSE(users.FindKey({"A001"}));
  ASSERT_TRUE(users.FindKey({"A001"}, true));
  users.Edit();
  users.SetField("uname", std::string("it's me"));
  EXPECT_EQ(users.Text("UNAME"), "it's me");
  users.Post();
  QueryDataset check = db_.OpenQuery("select UNAME from B_USER where UID='a001'");
  EXPECT_EQ(check.Text("UNAME"), "it's me");
  ASSERT_TRUE(users.FindKey({"a001"}));
  users.Delete();
  EXPECT_EQ(Count("select count(*) from B_USER"), 1);

  TableDataset counter = db_.OpenTable("B_LSH", {"id=1", "", {}});
  ASSERT_FALSE(counter.Eof());
  counter.Edit();
  counter.SetField("lsh", counter.Integer("lsh") + 1);
  counter.Post();
  EXPECT_EQ(Count("select lsh from B_LSH"), 1);
}

TEST_F(LedgerDatabaseTest, QueryReadsLazilyAndLocatesIgnoringCase) {
  for (int i = 100; i < 400; ++i) AddSubject("2" + std::to_string(i), "支出" + std::to_string(i));
  QueryDataset rows = db_.OpenQuery("select id,mc from B_KM where id like '2%' order by id desc");
  EXPECT_EQ(rows.Text("ID"), "2399");
  EXPECT_EQ(rows.FieldIndex("MC"), 1);
  EXPECT_EQ(rows.FieldIndex("nothing"), -1);
  EXPECT_THROW(rows.Text("nothing"), DatabaseError);
  ASSERT_TRUE(rows.Locate("mc", "支出150", false));
  EXPECT_EQ(rows.Text("id"), "2150");
  EXPECT_FALSE(rows.Locate("mc", "none", true));
  EXPECT_TRUE(rows.Eof());
}

TEST_F(LedgerDatabaseTest, ObserverSeesEveryStatementAsWritten) {
  Record();
  db_.Execute("update B_KM set ye=ye--5 where id='3'");
  db_.OpenQuery("select * from B_KM");
  ASSERT_EQ(recorded_.size(), 2u);
  EXPECT_EQ(recorded_[0], "update B_KM set ye=ye--5 where id='3'");
  EXPECT_EQ(recorded_[1], "select * from B_KM");
}

TEST_F(LedgerDatabaseTest, OneStatementPerText) {
  EXPECT_THROW(db_.Execute("update B_KM set ye=1 where id='1'; delete from B_KM"), DatabaseError);
  EXPECT_EQ(Balance("1"), 0);
  EXPECT_EQ(Count("select count(*) from B_KM"), 3);
}

}  // namespace
}  // namespace money
