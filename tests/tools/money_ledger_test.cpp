#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "access/password_digest.h"
#include "storage/ledger_database.h"
#include "subjects/subject_codes.h"
#include "subjects/subject_store.h"
#include "support/temp_folder.h"
#include "support/worked_example.h"

extern char** environ;

namespace money {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Runs the built tool as a separate process, as a household would, and collects what it prints.
class MoneyLedgerTest : public ::testing::Test {
 protected:
  ToolRun Run(const std::vector<std::string>& arguments) {
    const std::filesystem::path out = folder_ / "out.txt";
    const std::filesystem::path err = folder_ / "err.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> words = {MONEY_LEDGER_TOOL};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, MONEY_LEDGER_TOOL, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ToolRun run;
    if (spawned != 0) {
      ADD_FAILURE() << "cannot start " << MONEY_LEDGER_TOOL;
      return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = Contents(out);
    run.err = Contents(err);
    return run;
  }

  // A new ledger with a small chart and a bookkeeper 0001.
  void MakeBooks() {
    ASSERT_EQ(Run({"new", ledger_}).status, 0);
    LedgerDatabase database;
    database.Open(ledger_);
    for (const auto& [code, name] : std::vector<std::pair<std::string, std::string>>{
             {"1001", "工资"}, {"1001001", "基本工资"}, {"2001", "食品"}, {"3001", "现金"}}) {
      const Subject child =
          NewChildRow(*FindSubject(database, ParentCode(code)), code.substr(code.size() - 3), name, "");
      ASSERT_EQ(InsertSubject(database, child), StoreOutcome::kStored);
    }
    database.ExecuteOwn("insert into B_USER(UID,UNAME,UPSW,bmbh) values('0001','记账员','','')", {});
  }

  std::vector<std::string> Post(const std::string& kind, const std::string& date, const std::string& source,
                                const std::string& destination, const std::string& amount, const std::string& memo,
                                const std::string& operator_code) {
    return {"post", ledger_, kind, date, source, destination, amount, memo, operator_code};
  }

  long long Number(const std::string& select) {
    LedgerDatabase database;
    database.Open(ledger_);
    QueryDataset row = database.OpenQuery(select, {});
    return row.Integer(row.FieldNames().front());
  }

  test::TempFolder folder_;
  std::string ledger_ = (folder_ / "money.mdb").string();
};

TEST_F(MoneyLedgerTest, NewCreatesALedgerAndNeverOverwritesOne) {
  const ToolRun made = Run({"new", ledger_});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_THAT(made.out, HasSubstr(ledger_));
  EXPECT_EQ(Number("select count(*) from B_KM where id in ('1','2','3')"), 3);

  {
    LedgerDatabase database;
    database.Open(ledger_);
    ASSERT_EQ(InsertSubject(database, NewChildRow(*FindSubject(database, "2"), "001", "食品", "")),
              StoreOutcome::kStored);
  }
  const std::string before = Contents(ledger_);
  const ToolRun again = Run({"new", ledger_});
  EXPECT_EQ(again.status, 1);
  EXPECT_THAT(again.err, HasSubstr("exists"));
  EXPECT_EQ(Contents(ledger_), before);
}

TEST_F(MoneyLedgerTest, HelpAndUsageErrors) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string shown;  // in standard output for help, in standard error otherwise
  };
  const std::string missing = (folder_ / "none.mdb").string();
  const std::vector<Case> cases = {
      {{"--help"}, 0, "money-ledger sample FILE --entries N"},
      {{"new", "--help"}, 0, "usage: money-ledger new FILE"},
      {{"check", "--help"}, 0, "usage: money-ledger check FILE"},
      {{"--trace", "post", "--help"}, 0, "usage: money-ledger [--trace] post FILE KIND"},
      {{"reset-password", "--help"}, 0, "usage: money-ledger reset-password FILE CODE"},
      {{"sample", "--help"}, 0, "usage: money-ledger sample FILE --entries N"},
      {{}, 2, "no command given"},
      {{"--trace"}, 2, "no command given"},
      {{"frobnicate", ledger_}, 2, "unknown command 'frobnicate'"},
      {{"new"}, 2, "'new' takes 1 argument(s)"},
      {{"check", ledger_, "extra"}, 2, "'check' takes 1 argument(s)"},
      {{"post", ledger_, "income"}, 2, "'post' takes 8 argument(s)"},
      {{"post", ledger_, "gift", "2005.03.07", "1001001", "3001", "1", "", "0001"}, 2, "unknown entry kind 'gift'"},
      {{"reset-password", ledger_}, 2, "'reset-password' takes 2 argument(s)"},
      {{"sample", ledger_, "--count", "5"}, 2, "expects --entries N"},
      {{"sample", ledger_, "--entries", "many"}, 2, "not 'many'"},
      {{"sample", ledger_, "--entries", "-5"}, 2, "not '-5'"},
      {{"check", missing}, 1, "does not exist"},
      {{"reset-password", missing, "9999"}, 1, "does not exist"},
  };
  for (const Case& c : cases) {
    const ToolRun run = Run(c.arguments);
    EXPECT_EQ(run.status, c.status) << ::testing::PrintToString(c.arguments);
    EXPECT_THAT(c.status == 0 ? run.out : run.err, HasSubstr(c.shown)) << ::testing::PrintToString(c.arguments);
  }
  EXPECT_FALSE(std::filesystem::exists(ledger_));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(MoneyLedgerTest, RefusedEntryLeavesTheLedgerUntouched) {
  MakeBooks();
  const std::string before = Contents(ledger_);
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {Post("income", "2005.02.30", "1001001", "3001", "1", "", "0001"), "'2005.02.30'"},
      {Post("income", "2005.03.07", "1009", "3001", "1", "", "0001"), "'1009'"},
      {Post("income", "2005.03.07", "1", "3001", "1", "", "0001"), "'1'"},
      {Post("expense", "2005.03.07", "1001001", "2001", "1", "", "0001"), "'1001001'"},
      {Post("expense", "2005.03.07", "3001", "1001", "1", "", "0001"), "'1001'"},
      {Post("income", "2005.03.07", "1001001", "3001", "0", "", "0001"), "'0'"},
      {Post("income", "2005.03.07", "1001001", "3001", "12元", "", "0001"), "'12元'"},
      {Post("income", "2005.03.07", "1001001", "3001", "1", "", "0002"), "'0002'"},
  };
  for (const auto& [arguments, named] : cases) {
    const ToolRun run = Run(arguments);
    EXPECT_EQ(run.status, 1) << named;
    EXPECT_THAT(run.err, HasSubstr(named));
    EXPECT_THAT(run.out, IsEmpty());
  }
  EXPECT_EQ(Contents(ledger_), before);
}

TEST_F(MoneyLedgerTest, PostedEntryKeepsTheBooksSound) {
  MakeBooks();
  const ToolRun income = Run(Post("income", "2005.03.07", " 1001001 ", "3001", "120.50", "工资", "0001"));
  ASSERT_EQ(income.status, 0) << income.err;
  EXPECT_EQ(income.out, "posted entry 1\n");
  const ToolRun expense = Run(Post("expense", "2005.03.08", "3001", "2001", "-5", "退款", "9999"));
  ASSERT_EQ(expense.status, 0) << expense.err;
  EXPECT_EQ(expense.out, "posted entry 2\n");

  EXPECT_EQ(Number("select count(*) from B_MX where lsh=1"), 5);
  EXPECT_EQ(Number("select count(*) from B_SZ where lsh=2 and UNAME='系统管理员' and je=-5"), 1);
  const ToolRun check = Run({"check", ledger_});
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_EQ(check.out, "the books are sound: 7 subjects, 2 entries, 9 posting lines\n");
}

TEST_F(MoneyLedgerTest, FailedSaveWritesNothingButUsesUpItsSerialNumber) {
  MakeBooks();
  // The store holds memos of at most 200 characters; the entry checks, like the dialogs, do not.
  const ToolRun failed = Run(Post("income", "2005.03.07", "1001001", "3001", "7", std::string(201, 'x'), "0001"));
  EXPECT_EQ(failed.status, 1);
  EXPECT_THAT(failed.err, HasSubstr("serial number 1 is used up"));
  EXPECT_EQ(Number("select count(*) from B_SZ"), 0);
  EXPECT_EQ(Number("select count(*) from B_MX"), 0);
  EXPECT_EQ(Number("select count(*) from B_KM where ye<>0"), 0);

  const ToolRun next = Run(Post("income", "2005.03.07", "1001001", "3001", "7", "", "0001"));
  EXPECT_EQ(next.out, "posted entry 2\n");
  EXPECT_EQ(Run({"check", ledger_}).status, 0);
}

TEST_F(MoneyLedgerTest, TracePrintsEveryStatementOfAnIncomeInOrder) {
  MakeBooks();
  {
    LedgerDatabase database;
    database.Open(ledger_);
    database.ExecuteOwn("update B_LSH set lsh=56 where id=1", {});
  }
  const ToolRun run =
      Run({"--trace", "post", ledger_, "income", "2005.03.07", "1001001", "3001", "120.5", "工资", "0001"});
  ASSERT_EQ(run.status, 0) << run.err;
  // The look-ups of the input checks and the counter's own transaction come first.
  std::vector<std::string> expected = {"select * from B_KM where id=?",     "select * from B_KM where id=?",
                                       "select UNAME from B_USER where UID=?", "begin immediate",
                                       "select lsh from B_LSH where id=?",    "update B_LSH set lsh=? where id=?",
                                       "commit",                              "begin immediate"};
  expected.insert(expected.end(), test::kWorkedExampleStatements.begin(), test::kWorkedExampleStatements.end());
  expected.insert(expected.end(), {"commit", "posted entry 57"});
  EXPECT_EQ(LinesOf(run.out), expected);

  const ToolRun reset = Run({"--trace", "reset-password", ledger_, "0001"});
  EXPECT_EQ(reset.status, 0);
  EXPECT_THAT(reset.out, StartsWith("update B_USER set UPSW=? where UID=?\n"));
  const ToolRun check = Run({"--trace", "check", ledger_});
  EXPECT_EQ(check.status, 0);
  EXPECT_THAT(check.out, StartsWith("select "));
  EXPECT_THAT(check.out, HasSubstr("the books are sound"));
}

TEST_F(MoneyLedgerTest, ResetPasswordGivesTheDigestOfTheCodeAlone) {
  MakeBooks();
  {
    LedgerDatabase database;
    database.Open(ledger_);
    database.ExecuteOwn("update B_USER set UPSW='forgotten' where UID in ('9999','0001')", {});
  }
  const ToolRun run = Run({"reset-password", ledger_, "9999"});
  ASSERT_EQ(run.status, 0) << run.err;
  LedgerDatabase database;
  database.Open(ledger_);
  QueryDataset users = database.OpenQuery("select UID,UPSW from B_USER order by UID", {});
  EXPECT_EQ(users.Text("UPSW"), "forgotten");  // 0001 keeps its own
  users.Next();
  EXPECT_EQ(users.Text("UPSW"), PasswordDigest("9999"));

  const ToolRun unknown = Run({"reset-password", ledger_, "0002"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_THAT(unknown.err, HasSubstr("'0002'"));
}

TEST_F(MoneyLedgerTest, SampleMakesSoundBooksAndCheckNamesTheDamagedSubject) {
  const ToolRun sample = Run({"sample", ledger_, "--entries", "300"});
  ASSERT_EQ(sample.status, 0) << sample.err;
  EXPECT_THAT(sample.out, HasSubstr("300 entries"));
  const ToolRun sound = Run({"check", ledger_});
  EXPECT_EQ(sound.status, 0) << sound.out;
  EXPECT_THAT(sound.out, StartsWith("the books are sound: "));

  const std::string before = Contents(ledger_);
  const ToolRun again = Run({"sample", ledger_, "--entries", "10"});
  EXPECT_EQ(again.status, 1);
  EXPECT_THAT(again.err, HasSubstr("exists"));
  EXPECT_EQ(Contents(ledger_), before);

  {
    LedgerDatabase database;
    database.Open(ledger_);
    database.ExecuteOwn("update B_KM set ye=ye+1 where id='2001001'", {});
  }
  const ToolRun damaged = Run({"check", ledger_});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_THAT(LinesOf(damaged.out), ::testing::ElementsAre(HasSubstr("subject '2001001'")));
}

}  // namespace
}  // namespace money
