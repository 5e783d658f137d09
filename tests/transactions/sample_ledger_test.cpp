#include "transactions/sample_ledger.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "storage/ledger_database.h"
#include "support/temp_folder.h"
#include "transactions/ledger_check.h"

namespace money {
namespace {

using ::testing::AllOf;
using ::testing::Ge;
using ::testing::IsEmpty;
using ::testing::Le;

SampleOptions Options(long long entries) {
  SampleOptions options;
  options.entries = entries;
  return options;
}

SampleOptions Options(long long entries, unsigned seed) {
  SampleOptions options = Options(entries);
  options.seed = seed;
  return options;
}

long long Number(LedgerDatabase& database, const std::string& select) {
  QueryDataset row = database.OpenQuery(select, {});
  return row.Integer(row.FieldNames().front());
}

std::string Text(LedgerDatabase& database, const std::string& select) {
  QueryDataset row = database.OpenQuery(select, {});
  return row.Text(row.FieldNames().front());
}

// Everything a reader of the books sees, as one text.
std::string Books(const std::filesystem::path& file) {
  LedgerDatabase database;
  database.Open(file);
  std::string books;
  for (const char* select : {"select * from B_KM order by id", "select * from B_SZ order by lsh",
                             "select * from B_MX order by lsh,kmbh,mx,je"}) {
    for (QueryDataset rows = database.OpenQuery(select, {}); !rows.Eof(); rows.Next()) {
      for (const FieldValue& value : rows.Row()) books += FieldText(value) + "|";
      books += "\n";
    }
  }
  return books;
}

TEST(SampleLedgerTest, MakesSoundBooksWithEveryKindOfEntryOverSeveralYears) {
  test::TempFolder folder;
  const std::filesystem::path file = folder / "money.mdb";
  MakeSampleLedger(file, Options(3000));
  LedgerDatabase database;
  database.Open(file);
  EXPECT_THAT(CheckLedger(database), IsEmpty());

  for (const char* subject_class : {"1", "2", "3"}) {
    EXPECT_GE(Number(database, std::string("select count(*) from B_KM where id like '") + subject_class + "_%'"), 18)
        << subject_class;
  }
  // Levels below the class root: income three, expense four, savings three.
  EXPECT_EQ(Number(database, "select max(js) from B_KM where id like '1%'"), 4);
  EXPECT_EQ(Number(database, "select max(js) from B_KM where id like '2%'"), 5);
  EXPECT_EQ(Number(database, "select max(js) from B_KM where id like '3%'"), 4);

  EXPECT_EQ(Number(database, "select lsh from B_LSH"), 3000);
  const long long entries = Number(database, "select count(*) from B_SZ");
  EXPECT_THAT(3000 - entries, AllOf(Ge(3), Le(35))) << "deleted entries";
  EXPECT_THAT(Number(database, "select count(*) from B_SZ where zy like '%（更正）'"), AllOf(Ge(10), Le(60)));
  EXPECT_THAT(Number(database, "select count(*) from B_SZ where lb=1") * 100 / entries, AllOf(Ge(15), Le(25)));
  EXPECT_THAT(Number(database, "select count(*) from B_SZ where lb=2") * 100 / entries, AllOf(Ge(63), Le(77)));
  EXPECT_THAT(Number(database, "select count(*) from B_SZ where lb=3") * 100 / entries, AllOf(Ge(6), Le(14)));
  EXPECT_THAT(Number(database, "select count(*) from B_SZ where je<0"), AllOf(Ge(5), Le(90)));
  EXPECT_GT(
      Number(database, "select count(*) from B_SZ s where exists (select 1 from B_KM k where k.parentid=s.kmbhd)"), 0)
      << "entries posted to a subject with children";

  EXPECT_EQ(Text(database, "select min(ymd) from B_SZ"), "2018.01.01");
  EXPECT_EQ(Text(database, "select max(ymd) from B_SZ").substr(0, 4), "2023");
  EXPECT_EQ(Number(database,
                   "select count(*) from (select ymd,lag(ymd) over (order by lsh) as previous from B_SZ) "
                   "where ymd<previous"),
            0)
      << "dates grow with the serial numbers";
}

// The bulk load commits without waiting for the disk; before the ledger is called made, syncing is back to
// full and a checkpoint under it has put every commit on the disk.
TEST(SampleLedgerTest, EndsWithFullSyncingAndACheckpointAfterTheLastCommit) {
  test::TempFolder folder;
  std::vector<std::string> statements;
  SampleOptions options = Options(50);
  options.observer = [&](std::string_view statement) { statements.emplace_back(statement); };
  MakeSampleLedger(folder / "money.mdb", options);
  ASSERT_GE(statements.size(), 4u);
  EXPECT_EQ(std::count(statements.begin(), statements.end(), "pragma synchronous=off"), 1);
  EXPECT_EQ(std::vector<std::string>(statements.end() - 3, statements.end()),
            (std::vector<std::string>{"commit", "pragma synchronous=FULL", "pragma wal_checkpoint(TRUNCATE)"}));
}

TEST(SampleLedgerTest, TheSeedDecidesTheBooks) {
  test::TempFolder folder;
  MakeSampleLedger(folder / "a.mdb", Options(300, 7));
  MakeSampleLedger(folder / "b.mdb", Options(300, 7));
  MakeSampleLedger(folder / "c.mdb", Options(300, 8));
  EXPECT_EQ(Books(folder / "a.mdb"), Books(folder / "b.mdb"));
  EXPECT_NE(Books(folder / "a.mdb"), Books(folder / "c.mdb"));
}

TEST(SampleLedgerTest, RefusesAnExistingFile) {
  test::TempFolder folder;
  const std::filesystem::path file = folder / "money.mdb";
  { std::ofstream(file) << "a household's own file"; }
  EXPECT_ANY_THROW(MakeSampleLedger(file, Options(10)));
  std::ifstream in(file);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            "a household's own file");
}

}  // namespace
}  // namespace money
