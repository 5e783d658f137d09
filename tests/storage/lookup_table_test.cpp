#include "storage/lookup_table.h"

#include <gtest/gtest.h>

#include "support/ledger_fixture.h"

namespace money {
namespace {

class LookupTableTest : public test::LedgerFixture {};

TEST_F(LookupTableTest, FindsRowsByTheirKeyText) {
  AddSubject("1001", "工资");
  AddSubject("1001001", "基本工资");
  const LookupTable subjects(db_, "select * from B_KM order by id", "id");
  EXPECT_EQ(subjects.Size(), 5u);
  EXPECT_EQ(subjects.Text("1001001", "lmc"), "收入\\工资\\基本工资");
  EXPECT_EQ(subjects.Text("1001001", "MC"), "基本工资");
  EXPECT_EQ(subjects.Text("1001001", "js"), "3");
  EXPECT_EQ(subjects.Text("1002", "lmc"), "");
  EXPECT_EQ(subjects.Text("1001", "no such field"), "");
}

TEST_F(LookupTableTest, IsASnapshotOfWhenItWasRead) {
  const LookupTable subjects(db_, "select * from B_KM order by id", "id");
  AddSubject("3001", "银行");
  EXPECT_EQ(subjects.Text("3001", "lmc"), "");
}

TEST_F(LookupTableTest, RefusesAKeyFieldTheQueryLacks) {
  EXPECT_THROW(LookupTable(db_, "select * from B_KM", "kmbh"), DatabaseError);
}

}  // namespace
}  // namespace money
