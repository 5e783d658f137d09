#include "access/login_check.h"

#include <gtest/gtest.h>

#include <string>

#include "access/password_digest.h"
#include "support/ledger_fixture.h"

namespace money {
namespace {

class LoginCheckTest : public test::LedgerFixture {
 protected:
  LoginCheckTest() {
    AddOperator("0001", "记账员", PasswordDigest("0001secret"));
    AddOperator("0002", "新人", PasswordDigest("0002"));  // cleared password
    AddOperator("0003", "空格", "  " + PasswordDigest("0003pw") + "   ");
    AddOperator("ab12", "字母", PasswordDigest("AB12pw"));
  }
  void AddOperator(const std::string& code, const std::string& name, const std::string& digest) {
    db_.ExecuteOwn("insert into B_USER (UID, UNAME, UPSW, bmbh) values (?, ?, ?, '')", {code, name, digest});
  }
};

struct LoginCase {
  const char* code;
  const char* password;
  LoginOutcome outcome;
  const char* name;
};

TEST_F(LoginCheckTest, Outcomes) {
  const LoginCase cases[] = {
      {"9999", "3947", LoginOutcome::kAccepted, "系统管理员"},
      {"0001", "secret", LoginOutcome::kAccepted, "记账员"},
      {"0001", "Secret", LoginOutcome::kWrongPassword, ""},
      {"0001", "secret ", LoginOutcome::kWrongPassword, ""},
      {"0002", "", LoginOutcome::kAccepted, "新人"},
      {"0003", "pw", LoginOutcome::kAccepted, "空格"},  // stored digest trimmed before comparing
      {"AB12", "pw", LoginOutcome::kAccepted, "字母"},  // found ignoring case, digest of the code as typed
      {"ab12", "pw", LoginOutcome::kWrongPassword, ""},
      {"0009", "", LoginOutcome::kUnknownCode, ""},
      {"9999 ", "3947", LoginOutcome::kUnknownCode, ""},
      {"", "3947", LoginOutcome::kEmptyCode, ""},
  };
  for (const LoginCase& c : cases) {
    const LoginResult result = CheckLogin(db_, c.code, c.password);
    EXPECT_EQ(result.outcome, c.outcome) << c.code << "/" << c.password;
    EXPECT_EQ(result.operator_name, c.name) << c.code << "/" << c.password;
  }
}

TEST_F(LoginCheckTest, ReadsTheOperatorListWithItsOwnQuery) {
  Record();
  CheckLogin(db_, "9999", "3947");
  ASSERT_EQ(recorded_.size(), 1u);
  EXPECT_EQ(recorded_.front(), "select UID,UNAME,UPSW,bmbh,\"zuve\" as bmmc\r\nfrom B_USER \r\norder by UID");
}

TEST(LoginCheckWithoutLedgerTest, EmptyCodeNeverReachesTheLedger) {
  LedgerDatabase closed;
  EXPECT_EQ(CheckLogin(closed, "", "3947").outcome, LoginOutcome::kEmptyCode);
  EXPECT_THROW(CheckLogin(closed, "9999", "3947"), DatabaseError);
}

}  // namespace
}  // namespace money
