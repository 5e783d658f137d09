#include "storage/rows_by_key.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "support/ledger_fixture.h"

namespace money {
namespace {

constexpr const char* kEntryBySerial = "select zy,UNAME from B_SZ where lsh=?";

// Entries 1 to 3 in the journal: memos "工资1" to "工资3", the operator name only on the first.
class RowsByKeyTest : public test::LedgerFixture {
 protected:
  RowsByKeyTest() {
    for (int serial = 1; serial <= 3; ++serial) {
      const std::string name = serial == 1 ? "'记账员'" : "null";
      db_.Execute("insert into B_SZ values (" + std::to_string(serial) + ", '2005.03.01', '1', '3', 12.5, '工资" +
                  std::to_string(serial) + "', '0001', " + name + ", 1)");
    }
  }

  void SetMemo(int serial, const std::string& memo) {
    db_.Execute("update B_SZ set zy='" + memo + "' where lsh=" + std::to_string(serial));
  }
};

TEST_F(RowsByKeyTest, FindsTheFieldsOfARowByKeyAndWhatIsMissingAsEmpty) {
  RowsByKey entries(db_, kEntryBySerial, 100);
  EXPECT_EQ(entries.Text(1, "zy"), "工资1");
  EXPECT_EQ(entries.Text(1, "uname"), "记账员");
  EXPECT_EQ(entries.Text(2, "ZY"), "工资2");
  EXPECT_EQ(entries.Text(2, "UNAME"), "");  // NULL
  EXPECT_EQ(entries.Text(4, "zy"), "");
  EXPECT_EQ(entries.Text(-1, "zy"), "");
  EXPECT_EQ(entries.Text(1, "ymd"), "");  // not selected
}

// Rows are read when first asked for, not when opened; a row read is kept until more than the kept number
// of keys have been read since.
TEST_F(RowsByKeyTest, ReadsARowWhenFirstAskedAndKeepsOnlyTheLastFewKeys) {
  RowsByKey entries(db_, kEntryBySerial, 2);
  SetMemo(1, "改1");
  EXPECT_EQ(entries.Text(1, "zy"), "改1");
  SetMemo(1, "再改1");
  EXPECT_EQ(entries.Text(1, "zy"), "改1");
  EXPECT_EQ(entries.Text(4, "zy"), "");
  db_.Execute("insert into B_SZ values (4, '2005.03.02', '1', '3', 1, '工资4', '0001', '', 1)");
  EXPECT_EQ(entries.Text(4, "zy"), "");
  EXPECT_EQ(entries.Text(2, "zy"), "工资2");  // a third key: the keeping starts over
  EXPECT_EQ(entries.Text(1, "zy"), "再改1");
  EXPECT_EQ(entries.Text(4, "zy"), "工资4");
}

// A reader that kept its snapshot would stop a full checkpoint of the ledger's log by another process.
TEST_F(RowsByKeyTest, HoldsNoSnapshotBetweenReads) {
  RowsByKey entries(db_, kEntryBySerial, 100);
  EXPECT_EQ(entries.Text(9, "zy"), "");
  EXPECT_EQ(entries.Text(1, "zy"), "工资1");
  SetMemo(3, "改3");
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(db_.File().c_str(), &other), SQLITE_OK);
  // A connection checkpoints the log only once it has read the ledger.
  ASSERT_EQ(sqlite3_exec(other, "select count(*) from B_SZ", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(sqlite3_wal_checkpoint_v2(other, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr), SQLITE_OK)
      << sqlite3_errmsg(other);
  sqlite3_close(other);
  EXPECT_EQ(entries.Text(3, "zy"), "改3");
}

TEST_F(RowsByKeyTest, AFailedReadIsTheDatabasesErrorAndTheNextReadWorks) {
  RowsByKey values(db_, "select case when ?=5 then abs(-9223372036854775807 - 1) else 'x' end as v", 100);
  EXPECT_THROW(values.Text(5, "v"), DatabaseError);
  EXPECT_EQ(values.Text(4, "v"), "x");
  EXPECT_THROW(values.Text(5, "v"), DatabaseError);
}

TEST_F(RowsByKeyTest, RefusesAnythingButAReadWithOneKey) {
  for (const char* statement : {
           "select zy from B_SZ where lsh=1",
           "select zy from B_SZ where lsh=? or lsh=?",
           "delete from B_SZ where lsh=?",
           "select zy from B_SZZ where lsh=?",
           "",
       }) {
    EXPECT_THROW(RowsByKey(db_, statement, 100), DatabaseError) << statement;
  }
  EXPECT_EQ(Count("select count(*) from B_SZ"), 3);
}

TEST_F(RowsByKeyTest, NeedsAnOpenLedger) {
  const LedgerDatabase closed;
  EXPECT_THROW(RowsByKey(closed, kEntryBySerial, 100), DatabaseError);
}

}  // namespace
}  // namespace money
