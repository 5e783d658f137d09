#include "access/grants.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/ledger_fixture.h"

namespace money {
namespace {

// The delivered catalogue: m0101 m0102 m0103 m0201 m0301 N101 N102(reserved) N107 N108.
class GrantsTest : public test::LedgerFixture {
 protected:
  void Grant(const std::string& operator_code, const std::string& command_code, bool granted) {
    db_.ExecuteOwn("insert or replace into B_USRGN (usrbh, gnbh, istrue) values (?, ?, ?)",
                   {operator_code, command_code, static_cast<long long>(granted)});
  }
  void AddCatalogueRow(const std::string& code, const std::string& bt_name, bool reserved) {
    db_.ExecuteOwn("insert into B_GN (gncode, gnname, btName, is9999) values (?, ?, ?, ?)",
                   {code, std::string("extra"), bt_name, static_cast<long long>(reserved)});
  }
  // The decisions in the order they are handed over; those handed over before a failure are kept.
  std::vector<GrantDecision> Decisions(const std::string& operator_code) {
    decisions_.clear();
    ForEachGrantDecision(db_, operator_code, [this](const GrantDecision& decision) { decisions_.push_back(decision); });
    return decisions_;
  }
  // The state each named button ends in when the decisions are applied in order.
  std::map<std::string, bool> Applied(const std::string& operator_code) {
    std::map<std::string, bool> state;
    for (const GrantDecision& decision : Decisions(operator_code)) state[decision.bt_name] = decision.enabled;
    return state;
  }

  std::vector<GrantDecision> decisions_;
};

TEST_F(GrantsTest, DecisionsComeInThreePassesInOrder) {
  Grant("0001", "0102", true);
  Grant("0001", "0402", true);
  const std::vector<GrantDecision> expected = {
      // Pass 1: every catalogue row, in button-name order, disables its button.
      {"N101", false}, {"N102", false}, {"N107", false}, {"N108", false}, {"m0101", false}, {"m0102", false},
      {"m0103", false}, {"m0201", false}, {"m0301", false},
      // Pass 2: the operator's grant rows.
      {"m0102", true}, {"N102", true},
      // Pass 3: the reserved commands, enabled for the administrator only.
      {"N102", false}};
  const std::vector<GrantDecision> decisions = Decisions("0001");
  ASSERT_EQ(decisions.size(), expected.size());
  // Pass 2 follows the join's row order, which the statement leaves open: compare it as a set.
  EXPECT_EQ(std::vector(decisions.begin(), decisions.begin() + 9), std::vector(expected.begin(), expected.begin() + 9));
  EXPECT_TRUE((decisions[9] == expected[9] && decisions[10] == expected[10]) ||
              (decisions[9] == expected[10] && decisions[10] == expected[9]));
  EXPECT_EQ(decisions.back(), expected.back());
}

TEST_F(GrantsTest, GrantStatementQuotesTheCodeAsTyped) {
  Record();
  Decisions("0'1");
  EXPECT_NE(std::find(recorded_.begin(), recorded_.end(),
                      "select a.*,b.* from B_USRGN a,B_GN b where a.gnbh=b.gncode and a.usrbh='0''1'"),
            recorded_.end());
}

TEST_F(GrantsTest, EffectPerOperator) {
  Grant("0001", "0101", true);
  Grant("0001", "0102", false);
  Grant("0001", "0402", true);   // reserved: refused to everyone but the administrator
  Grant("9999", "0402", false);  // reserved: the administrator keeps it anyway
  Grant("9999", "0101", false);
  Grant("0002", "0101", true);

  const std::map<std::string, bool> clerk = Applied("0001");
  EXPECT_TRUE(clerk.at("m0101"));
  EXPECT_FALSE(clerk.at("m0102"));  // refused by its row
  EXPECT_FALSE(clerk.at("m0103"));  // no row
  EXPECT_FALSE(clerk.at("N102"));
  EXPECT_FALSE(clerk.contains("N109"));  // named by no catalogue row: never touched

  const std::map<std::string, bool> administrator = Applied("9999");
  EXPECT_TRUE(administrator.at("N102"));
  EXPECT_TRUE(administrator.at("m0103"));   // granted with the delivered ledger
  EXPECT_FALSE(administrator.at("m0101"));  // the administrator too is bound by a refusing row
}

TEST_F(GrantsTest, ReservedCommandsNeedTheExactAdministratorCode) {
  AddCatalogueRow("0999", "N109", true);
  for (const std::string code : {"9999 ", " 9999", "999"}) {
    const std::map<std::string, bool> state = Applied(code);
    EXPECT_FALSE(state.at("N102")) << code;
    EXPECT_FALSE(state.at("N109")) << code;
  }
  EXPECT_TRUE(Applied("9999").at("N109"));
}

// The operator code is compared ignoring letter case, as the login finds the operator.
// Operator and command codes of a grant row are compared ignoring letter case, as the login finds the
// operator and as the operator window shows the marks.
TEST_F(GrantsTest, GrantRowsMatchTheCodesIgnoringCase) {
  AddCatalogueRow("ab", "N109", false);
  Grant("ab12", "0101", true);
  Grant("ab12", "AB", true);
  EXPECT_TRUE(Applied("AB12").at("m0101"));
  EXPECT_TRUE(Applied("AB12").at("N109"));
  EXPECT_FALSE(Applied("AB12").at("m0102"));
}

TEST_F(GrantsTest, NotConnectedLedgerFails) {
  LedgerDatabase closed;
  EXPECT_THROW(ForEachGrantDecision(closed, "9999", [](const GrantDecision&) {}), DatabaseError);
}

// A grant read that fails after the first pass leaves every catalogued command disabled.
TEST_F(GrantsTest, FailureAfterTheFirstPassKeepsTheCataloguedCommandsDisabled) {
  db_.ExecuteOwn("drop table B_USRGN", {});
  EXPECT_THROW(Decisions("9999"), DatabaseError);
  ASSERT_EQ(decisions_.size(), 9u);
  for (const GrantDecision& decision : decisions_) EXPECT_FALSE(decision.enabled) << decision.bt_name;
}

}  // namespace
}  // namespace money
