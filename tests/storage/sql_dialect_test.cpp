#include "storage/sql_dialect.h"

#include <gtest/gtest.h>

#include "support/ledger_fixture.h"

namespace money {
namespace {

TEST(AdaptStatementTest, RewritesOnlyOutsideLiterals) {
  const struct {
    const char* ledger;
    const char* sqlite;
  } cases[] = {
      {"update B_KM set ye=ye--5 where id='3001'", "update B_KM set ye=ye- -5 where id='3001'"},
      {"update B_KM set ye=ye---5", "update B_KM set ye=ye- - -5"},
      {"select UID,\"zuve\" as bmmc from B_USER", "select UID,'zuve' as bmmc from B_USER"},
      {"select \"it's\" as x", "select 'it''s' as x"},
      {"insert into B_SZ values(1,'it''s -- \"fine\"')", "insert into B_SZ values(1,'it''s -- \"fine\"')"},
      {"update B_KM set ye=120.5+ye where id='1'", "update B_KM set ye=120.5+ye where id='1'"},
      {"select '--' as a, 3--2 as b", "select '--' as a, 3- -2 as b"},
  };
  for (const auto& c : cases) EXPECT_EQ(AdaptStatement(c.ledger), c.sqlite) << c.ledger;
}

class DialectOnLedgerTest : public test::LedgerFixture {};

TEST_F(DialectOnLedgerTest, DoubleMinusSubtractsANegativeFromOneRowOnly) {
  AddSubject("3001", "现金");
  AddSubject("3002", "银行");
  db_.Execute("update B_KM set ye=ye--5 where id='3001'");
  EXPECT_EQ(Balance("3001"), 5);
  EXPECT_EQ(Balance("3002"), 0);
  EXPECT_EQ(Balance("3"), 0);
}

TEST_F(DialectOnLedgerTest, DoubleQuotedTextInSelectListIsAConstant) {
  QueryDataset user = db_.OpenQuery("select UID,UNAME,UPSW,bmbh,\"zuve\" as bmmc from B_USER order by UID");
  ASSERT_FALSE(user.Eof());
  EXPECT_EQ(user.Text("bmmc"), "zuve");
  EXPECT_EQ(user.Text("uid"), "9999");
}

}  // namespace
}  // namespace money
