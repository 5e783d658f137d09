#include "access/operator_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "access/login_check.h"
#include "access/password_digest.h"
#include "support/ledger_fixture.h"

namespace money {
namespace {

// The delivered catalogue lists eight grantable commands; "0402" (用户管理) is reserved to the administrator.
constexpr long long kGrantableCommands = 8;

class OperatorStoreTest : public test::LedgerFixture {
 protected:
  void AddOperator(const std::string& code, const std::string& name, const std::string& password) {
    db_.ExecuteOwn("insert into B_USER (UID, UNAME, UPSW, bmbh) values (?, ?, ?, '')",
                   {code, name, PasswordDigest(code + password)});
  }
  void Grant(const std::string& operator_code, const std::string& command_code, bool granted) {
    db_.ExecuteOwn("insert or replace into B_USRGN (usrbh, gnbh, istrue) values (?, ?, ?)",
                   {operator_code, command_code, static_cast<long long>(granted)});
  }
  long long GrantRows(const std::string& operator_code) {
    return Count("select count(*) from B_USRGN where usrbh='" + operator_code + "'");
  }
  long long GrantedRows(const std::string& operator_code) {
    return Count("select count(*) from B_USRGN where istrue=1 and usrbh='" + operator_code + "'");
  }
  // A constraint of the ledger that refuses one statement halfway through a change of several rows.
  void RefuseWith(const std::string& trigger) {
    db_.Execute("create trigger refuse " + trigger + " begin select raise(abort, 'refused'); end");
  }
};

TEST_F(OperatorStoreTest, NewOperatorIsListedInCodeOrderRefusedEverythingAndLogsInWithAnEmptyPassword) {
  EXPECT_EQ(AddOrRenameOperator(db_, "0005", "李四"), OperatorSaved::kAdded);

  const std::vector<OperatorRow> operators = ReadOperators(db_);
  ASSERT_EQ(operators.size(), 2u);
  EXPECT_EQ(operators[0], (OperatorRow{"0005", "李四", PasswordDigest("0005")}));
  EXPECT_EQ(operators[1].code, "9999");

  EXPECT_EQ(GrantRows("0005"), kGrantableCommands);
  EXPECT_EQ(GrantedRows("0005"), 0);
  EXPECT_EQ(Count("select count(*) from B_USRGN where usrbh='0005' and gnbh='0402'"), 0);

  const LoginResult login = CheckLogin(db_, "0005", "");
  EXPECT_EQ(login.outcome, LoginOutcome::kAccepted);
  EXPECT_EQ(login.operator_name, "李四");
}

TEST_F(OperatorStoreTest, ExistingCodeRenamesKeepingPasswordAndGrants) {
  AddOperator("0001", "张三", "secret");
  Grant("0001", "0101", true);
  EXPECT_EQ(AddOrRenameOperator(db_, "0001", "张三丰"), OperatorSaved::kRenamed);
  EXPECT_EQ(FindOperator(db_, "0001"), (OperatorRow{"0001", "张三丰", PasswordDigest("0001secret")}));
  EXPECT_EQ(GrantRows("0001"), 1);
  EXPECT_EQ(GrantedRows("0001"), 1);
}

// Rows under a code that no operator holds would collide with the new operator's refusals.
TEST_F(OperatorStoreTest, NewOperatorReplacesGrantRowsLeftUnderItsCode) {
  Grant("0007", "0101", true);
  Grant("0007", "0402", true);
  EXPECT_EQ(AddOrRenameOperator(db_, "0007", "王五"), OperatorSaved::kAdded);
  EXPECT_EQ(GrantRows("0007"), kGrantableCommands);
  EXPECT_EQ(GrantedRows("0007"), 0);
}

TEST_F(OperatorStoreTest, RefusedGrantRowLeavesNoTraceOfTheNewOperator) {
  RefuseWith("before insert on B_USRGN when new.gnbh='0403'");
  EXPECT_THROW(AddOrRenameOperator(db_, "0005", "李四"), DatabaseError);
  EXPECT_FALSE(db_.InTransaction());
  EXPECT_FALSE(FindOperator(db_, "0005"));
  EXPECT_EQ(GrantRows("0005"), 0);
}

TEST_F(OperatorStoreTest, InputChecks) {
  const struct {
    const char* code;
    const char* name;
    OperatorInputProblem problem;
  } cases[] = {
      {"", "李四", OperatorInputProblem::kMissing},
      {"    ", "李四", OperatorInputProblem::kMissing},
      {"0005", "", OperatorInputProblem::kMissing},
      {"12", "", OperatorInputProblem::kMissing},  // the missing name is told first
      {"12", "李四", OperatorInputProblem::kInvalidCode},
      {"1 34", "李四", OperatorInputProblem::kInvalidCode},
      {"12345", "李四", OperatorInputProblem::kInvalidCode},
      {"0005", " ", OperatorInputProblem::kNone},
      {"0005", "李四", OperatorInputProblem::kNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckOperatorInput(c.code, c.name), c.problem) << "'" << c.code << "' '" << c.name << "'";
  }
}

TEST_F(OperatorStoreTest, DeleteRemovesTheOperatorAndAllItsGrantsButNeverTheAdministrator) {
  ASSERT_EQ(AddOrRenameOperator(db_, "0005", "李四"), OperatorSaved::kAdded);
  const long long administrator_grants = GrantRows("9999");

  EXPECT_EQ(DeleteOperator(db_, "9999"), OperatorDeleted::kAdministrator);
  EXPECT_TRUE(FindOperator(db_, "9999"));
  EXPECT_EQ(GrantRows("9999"), administrator_grants);

  Record();
  EXPECT_EQ(DeleteOperator(db_, "0005"), OperatorDeleted::kDeleted);
  EXPECT_NE(std::find(recorded_.begin(), recorded_.end(), "Delete from B_USRGN where usrbh = '0005'"),
            recorded_.end());
  EXPECT_FALSE(FindOperator(db_, "0005"));
  EXPECT_EQ(GrantRows("0005"), 0);
  EXPECT_EQ(GrantRows("9999"), administrator_grants);

  EXPECT_EQ(DeleteOperator(db_, "0005"), OperatorDeleted::kNotFound);
  EXPECT_FALSE(db_.InTransaction());
}

// The books keep what a deleted operator entered, with the code and name it was entered under.
TEST_F(OperatorStoreTest, DeletedOperatorsEntriesStay) {
  ASSERT_EQ(AddOrRenameOperator(db_, "0005", "李四"), OperatorSaved::kAdded);
  AddSubject("1001", "工资");
  AddSubject("3001", "现金");
  const long long serial = PostAs(EntryKind::Income, "2005.03.07", "1001", "3001", 10, "", "0005", "李四");
  ASSERT_EQ(DeleteOperator(db_, "0005"), OperatorDeleted::kDeleted);
  EXPECT_EQ(Count("select count(*) from B_SZ where UID='0005' and UNAME='李四' and lsh=" + std::to_string(serial)),
            1);
  EXPECT_EQ(Count("select count(*) from B_MX where lsh=" + std::to_string(serial)), 4);
}

TEST_F(OperatorStoreTest, RefusedGrantDeleteKeepsTheOperator) {
  ASSERT_EQ(AddOrRenameOperator(db_, "0005", "李四"), OperatorSaved::kAdded);
  RefuseWith("before delete on B_USRGN");
  EXPECT_THROW(DeleteOperator(db_, "0005"), DatabaseError);
  EXPECT_FALSE(db_.InTransaction());
  EXPECT_TRUE(FindOperator(db_, "0005"));
  EXPECT_EQ(GrantRows("0005"), kGrantableCommands);
}

TEST_F(OperatorStoreTest, ClearedPasswordLogsInEmpty) {
  AddOperator("0001", "张三", "secret");
  ASSERT_EQ(CheckLogin(db_, "0001", "secret").outcome, LoginOutcome::kAccepted);
  EXPECT_TRUE(ClearPassword(db_, "0001"));
  EXPECT_EQ(FindOperator(db_, "0001")->digest, PasswordDigest("0001"));
  EXPECT_EQ(CheckLogin(db_, "0001", "").outcome, LoginOutcome::kAccepted);
  EXPECT_EQ(CheckLogin(db_, "0001", "secret").outcome, LoginOutcome::kWrongPassword);

  EXPECT_TRUE(ClearPassword(db_, "9999"));  // allowed for the administrator too
  EXPECT_EQ(CheckLogin(db_, "9999", "").outcome, LoginOutcome::kAccepted);
  EXPECT_FALSE(ClearPassword(db_, "0002"));
}

}  // namespace
}  // namespace money
