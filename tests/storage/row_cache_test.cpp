#include "storage/row_cache.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "storage/ledger_database.h"
#include "storage/row_view.h"
#include "support/ledger_fixture.h"

namespace money {
namespace {

// 250 numbered rows; stepping onto row `failing` fails, so a cache that reads ahead is caught.
std::string Numbers(int failing = 0) {
  return "with recursive n(i) as (select 1 union all select i+1 from n where i<250) "
         "select i as Num, case when i = " + std::to_string(failing) +
         " then abs(i - i - 9223372036854775807 - 1) else i * 0.5 end as Half, "
         "'第' || i as Label, null as Blank from n";
}

class RowCacheTest : public test::LedgerFixture {};

TEST_F(RowCacheTest, ReadsOneBatchPerRequestAndNothingBeforeIt) {
  RowCache rows(db_, Numbers(), 100);
  EXPECT_EQ(rows.LoadedCount(), 0u);
  EXPECT_FALSE(rows.AllLoaded());
  EXPECT_EQ(rows.FetchMore(), 100u);
  EXPECT_EQ(rows.LoadedCount(), 100u);
  EXPECT_EQ(rows.FetchMore(), 100u);
  EXPECT_FALSE(rows.AllLoaded());
  EXPECT_EQ(rows.FetchMore(), 50u);
  EXPECT_TRUE(rows.AllLoaded());
  EXPECT_EQ(rows.FetchMore(), 0u);
  EXPECT_EQ(rows.LoadedCount(), 250u);
  EXPECT_EQ(rows.Number(249, rows.FieldIndex("num")), 250);
}

TEST_F(RowCacheTest, StepsNoFurtherThanTheRowAfterTheBatch) {
  RowCache rows(db_, Numbers(102), 100);
  EXPECT_EQ(rows.FetchMore(), 100u);
  EXPECT_THROW(rows.FetchMore(), DatabaseError);
}

TEST_F(RowCacheTest, KeepsEveryKindOfFieldValue) {
  RowCache rows(db_, Numbers(), 7);
  EXPECT_EQ(rows.LoadAll(), 250u);
  EXPECT_TRUE(rows.AllLoaded());
  ASSERT_EQ(rows.FieldNames(), (std::vector<std::string>{"Num", "Half", "Label", "Blank"}));
  EXPECT_EQ(rows.FieldIndex("LABEL"), 2);
  EXPECT_EQ(rows.FieldIndex("missing"), -1);

  EXPECT_EQ(rows.Value(8, 0), FieldValue(9LL));
  EXPECT_EQ(rows.Value(8, 1), FieldValue(4.5));
  EXPECT_EQ(rows.Value(8, 2), FieldValue(std::string("第9")));
  EXPECT_EQ(rows.Value(8, 3), FieldValue());
  EXPECT_EQ(rows.Text(199, 2), "第200");
  EXPECT_EQ(rows.Text(8, 3), "");
  EXPECT_EQ(rows.Text(8, 1), "4.5");
  EXPECT_TRUE(rows.IsNumber(8, 0));
  EXPECT_TRUE(rows.IsNumber(8, 1));
  EXPECT_FALSE(rows.IsNumber(8, 2));
  EXPECT_FALSE(rows.IsNumber(8, 3));
  EXPECT_THROW(rows.Value(250, 0), std::out_of_range);
  EXPECT_THROW(rows.Value(0, 4), std::out_of_range);

  const RowView row(rows, 8);
  EXPECT_EQ(row.Text("label"), "第9");
  EXPECT_EQ(row.Number("half"), 4.5);
  EXPECT_EQ(row.Text("no such field"), "");
}

TEST_F(RowCacheTest, RefreshDropsTheRowsAndSeesTheBooksAnew) {
  RowCache rows(db_, "select * from B_KM order by id", 2);
  EXPECT_EQ(rows.LoadAll(), 3u);
  AddSubject("3001", "银行");
  rows.Refresh();
  EXPECT_EQ(rows.LoadedCount(), 0u);
  EXPECT_FALSE(rows.AllLoaded());
  EXPECT_EQ(rows.LoadAll(), 4u);
  EXPECT_EQ(rows.Text(3, rows.FieldIndex("lmc")), "节余\\银行");
}

// A cache kept half read holds its snapshot on a connection of its own: after another process has
// written, this connection can still write, and a refresh shows both writes.
TEST_F(RowCacheTest, AHalfReadCacheNeverKeepsThisConnectionFromWriting) {
  for (const char* code : {"3001", "3002", "3003"}) AddSubject(code, std::string("账户") + code);
  RowCache rows(db_, "select * from B_KM order by id", 2);
  rows.FetchMore();
  LedgerDatabase other;
  other.Open(db_.File());
  other.Execute("update B_KM set bz='其他程序' where id='3001'");
  EXPECT_NO_THROW(db_.Execute("update B_KM set bz='本程序' where id='3002'"));
  rows.Refresh();
  rows.LoadAll();
  EXPECT_EQ(rows.Text(3, rows.FieldIndex("bz")), "其他程序");
  EXPECT_EQ(rows.Text(4, rows.FieldIndex("bz")), "本程序");
}

TEST_F(RowCacheTest, EmptyResultHasItsFieldsAndNoRows) {
  RowCache rows(db_, "select * from B_SZ where lb=1 order by lsh desc", 100);
  EXPECT_TRUE(rows.AllLoaded());
  EXPECT_EQ(rows.FetchMore(), 0u);
  EXPECT_EQ(rows.FieldIndex("kmbhs"), 2);
}

TEST_F(RowCacheTest, BadQueryIsTheDatabasesError) {
  EXPECT_THROW(RowCache(db_, "select * from B_NOTHING", 10), DatabaseError);
}

}  // namespace
}  // namespace money
