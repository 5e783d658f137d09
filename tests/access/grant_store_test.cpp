#include "access/grant_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "access/grants.h"
#include "access/operator_store.h"
#include "support/ledger_fixture.h"

namespace money {
namespace {

class GrantStoreTest : public test::LedgerFixture {
 protected:
  GrantStoreTest() { AddOrRenameOperator(db_, "0005", "李四"); }

  void Grant(const std::string& operator_code, const std::string& command_code, bool granted) {
    db_.ExecuteOwn("insert or replace into B_USRGN (usrbh, gnbh, istrue) values (?, ?, ?)",
                   {operator_code, command_code, static_cast<long long>(granted)});
  }
  std::map<std::string, bool> Stored(const std::string& operator_code) {
    std::map<std::string, bool> stored;
    QueryDataset rows = db_.OpenQuery("select gnbh,istrue from B_USRGN where usrbh=?", {operator_code});
    for (; !rows.Eof(); rows.Next()) stored[rows.Text("gnbh")] = rows.Integer("istrue") != 0;
    return stored;
  }
  static std::vector<CommandGrant> Marked(std::vector<CommandGrant> commands, const std::vector<std::string>& codes) {
    for (CommandGrant& command : commands) {
      command.granted = std::find(codes.begin(), codes.end(), command.code) != codes.end();
    }
    return commands;
  }
  // The state of every catalogued button after the login's grants for the operator.
  std::map<std::string, bool> LoginButtons(const std::string& operator_code) {
    std::map<std::string, bool> buttons;
    ForEachGrantDecision(db_, operator_code, [&](const GrantDecision& d) { buttons[d.bt_name] = d.enabled; });
    return buttons;
  }
};

TEST_F(GrantStoreTest, ListsEveryCommandButThoseReservedToTheAdministratorInCodeOrder) {
  db_.Execute("insert into B_GN (gncode, gnname, btName, is9999) values ('0000', '备份', 'N200', 0)");
  const std::vector<CommandGrant> expected = {
      {"0000", "备份", false},       {"0101", "收入", false},       {"0102", "支出", false},
      {"0103", "转帐", false},       {"0201", "科目余额查询", false}, {"0301", "期间发生数查询", false},
      {"0401", "修改口令", false},   {"0403", "科目维护", false},   {"0404", "调用计算器", false}};
  EXPECT_EQ(ReadGrantableCommands(db_), expected);
}

TEST_F(GrantStoreTest, ShowGrantsTakesStoredMarksAndClearsThoseWithoutARow) {
  Grant("0005", "0101", true);
  db_.Execute("delete from B_USRGN where usrbh='0005' and gnbh in ('0102','0103')");
  // Another operator's row is no row of this one.
  db_.Execute("update B_USRGN set usrbh='0O05', istrue=1 where usrbh='0005' and gnbh='0201'");
  std::vector<CommandGrant> grants = Marked(ReadGrantableCommands(db_), {"0102", "0301"});
  ShowGrants(db_, "0005", grants);
  std::vector<std::string> marked;
  for (const CommandGrant& grant : grants) {
    if (grant.granted) marked.push_back(grant.code);
  }
  // 0101 stored granted, 0301 stored refused; 0102, 0103 and 0201 have no row: unmarked, whatever was shown.
  EXPECT_EQ(marked, (std::vector<std::string>{"0101"}));
}

TEST_F(GrantStoreTest, ShowGrantsComparesCodesIgnoringCase) {
  db_.Execute("insert into B_GN (gncode, gnname, btName, is9999) values ('ab', '备份', 'N200', 0)");
  db_.Execute("insert into B_USER (UID, UNAME, UPSW) values ('AB12', '字母', '')");
  Grant("ab12", "AB", true);
  std::vector<CommandGrant> grants = ReadGrantableCommands(db_);
  ShowGrants(db_, "AB12", grants);
  EXPECT_TRUE(grants.back().granted) << grants.back().code;
}

TEST_F(GrantStoreTest, SavedMarksAreWhatTheNextLoginEnables) {
  db_.Execute("delete from B_USRGN where usrbh='0005' and gnbh='0301'");  // added by the save
  ASSERT_TRUE(SaveGrants(db_, "0005", Marked(ReadGrantableCommands(db_), {"0102", "0301"})));
  const std::map<std::string, bool> stored = Stored("0005");
  EXPECT_EQ(stored.size(), 8u);
  for (const auto& [code, granted] : stored) EXPECT_EQ(granted, code == "0102" || code == "0301") << code;

  const std::map<std::string, bool> buttons = LoginButtons("0005");
  for (const auto& [button, enabled] : buttons) EXPECT_EQ(enabled, button == "m0102" || button == "m0301") << button;

  ASSERT_TRUE(SaveGrants(db_, "0005", ReadGrantableCommands(db_)));
  for (const auto& [code, granted] : Stored("0005")) EXPECT_FALSE(granted) << code;
}

TEST_F(GrantStoreTest, NothingIsSavedUnderACodeWithoutOperator) {
  const std::vector<CommandGrant> all = Marked(ReadGrantableCommands(db_), {"0101", "0102"});
  EXPECT_FALSE(SaveGrants(db_, "", all));
  ASSERT_EQ(DeleteOperator(db_, "0005"), OperatorDeleted::kDeleted);
  EXPECT_FALSE(SaveGrants(db_, "0005", all));
  EXPECT_FALSE(db_.InTransaction());
  EXPECT_EQ(Count("select count(*) from B_USRGN where usrbh<>'9999'"), 0);
}

TEST_F(GrantStoreTest, RefusedRowLeavesEveryStoredMarkAsItWas) {
  db_.Execute("create trigger refuse before update on B_USRGN when new.gnbh='0403' "
              "begin select raise(abort, 'refused'); end");
  const std::map<std::string, bool> before = Stored("0005");
  EXPECT_THROW(SaveGrants(db_, "0005", Marked(ReadGrantableCommands(db_), {"0101", "0102", "0403"})), DatabaseError);
  EXPECT_FALSE(db_.InTransaction());
  EXPECT_EQ(Stored("0005"), before);
}

}  // namespace
}  // namespace money
