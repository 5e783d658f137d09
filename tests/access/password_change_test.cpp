#include "access/password_change.h"

#include <gtest/gtest.h>

#include <string>

#include "access/login_check.h"
#include "access/operator_store.h"
#include "access/password_digest.h"
#include "support/ledger_fixture.h"

namespace money {
namespace {

class PasswordChangeTest : public test::LedgerFixture {
 protected:
  PasswordChangeTest() {
    db_.ExecuteOwn("insert into B_USER (UID, UNAME, UPSW, bmbh) values (?, ?, ?, '')",
                   {std::string("0001"), std::string("张三"), PasswordDigest("0001secret")});
  }
  std::string Stored(const std::string& code) { return FindOperator(db_, code)->digest; }
};

TEST_F(PasswordChangeTest, RefusalsInTheirOrderLeaveTheDigest) {
  const struct {
    const char* old_password;
    const char* new_password;
    const char* confirmation;
    PasswordChangeOutcome outcome;
  } cases[] = {
      {"wrong", "", "", PasswordChangeOutcome::kEmptyNewPassword},
      {"wrong", "new", "", PasswordChangeOutcome::kEmptyNewPassword},
      {"wrong", "", "new", PasswordChangeOutcome::kEmptyNewPassword},
      {"wrong", "new", "New", PasswordChangeOutcome::kNewPasswordsDiffer},
      {"secret", "new", "new ", PasswordChangeOutcome::kNewPasswordsDiffer},
      {"wrong", "new", "new", PasswordChangeOutcome::kWrongOldPassword},
      {"Secret", "new", "new", PasswordChangeOutcome::kWrongOldPassword},
      {"", "new", "new", PasswordChangeOutcome::kWrongOldPassword},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChangePassword(db_, "0001", c.old_password, c.new_password, c.confirmation), c.outcome)
        << c.old_password << "/" << c.new_password << "/" << c.confirmation;
  }
  EXPECT_EQ(Stored("0001"), PasswordDigest("0001secret"));
}

TEST_F(PasswordChangeTest, NewDigestIsStoredAndTheNextLoginNeedsTheNewPassword) {
  EXPECT_EQ(ChangePassword(db_, "0001", "secret", "新口令 ", "新口令 "), PasswordChangeOutcome::kChanged);
  EXPECT_EQ(Stored("0001"), PasswordDigest("0001新口令 "));
  EXPECT_EQ(CheckLogin(db_, "0001", "新口令 ").outcome, LoginOutcome::kAccepted);
  EXPECT_EQ(CheckLogin(db_, "0001", "secret").outcome, LoginOutcome::kWrongPassword);
  // The same password again is allowed.
  EXPECT_EQ(ChangePassword(db_, "0001", "新口令 ", "新口令 ", "新口令 "), PasswordChangeOutcome::kChanged);
}

TEST_F(PasswordChangeTest, ClearedPasswordIsChangedWithAnEmptyOldPassword) {
  ASSERT_TRUE(ClearPassword(db_, "0001"));
  EXPECT_EQ(ChangePassword(db_, "0001", "", "abc", "abc"), PasswordChangeOutcome::kChanged);
  EXPECT_EQ(CheckLogin(db_, "0001", "abc").outcome, LoginOutcome::kAccepted);
}

// The login accepts a stored digest with blanks around it; so does the check of the old password.
TEST_F(PasswordChangeTest, OldPasswordIsCheckedAsTheLoginChecksIt) {
  db_.ExecuteOwn("update B_USER set UPSW=? where UID='0001'", {" " + PasswordDigest("0001secret") + "  "});
  ASSERT_EQ(CheckLogin(db_, "0001", "secret").outcome, LoginOutcome::kAccepted);
  EXPECT_EQ(ChangePassword(db_, "0001", "secret", "abc", "abc"), PasswordChangeOutcome::kChanged);
  EXPECT_EQ(Stored("0001"), PasswordDigest("0001abc"));
}

TEST_F(PasswordChangeTest, DeletedOperatorChangesNothing) {
  ASSERT_EQ(DeleteOperator(db_, "0001"), OperatorDeleted::kDeleted);
  EXPECT_EQ(ChangePassword(db_, "0001", "secret", "abc", "abc"), PasswordChangeOutcome::kNoOperator);
  EXPECT_EQ(Count("select count(*) from B_USER"), 1);
}

}  // namespace
}  // namespace money
