#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/detail_fields.h"
#include "support/ledger_fixture.h"

namespace money {
namespace {

class DetailLookupsTest : public test::LedgerFixture {
 protected:
  DetailLookupsTest() {
    AddSubject("1001", "工资");
    AddSubject("3001", "中行");
    AddSubject("3001001", "活期");
    serial_ = std::to_string(PostAs(EntryKind::Income, "2005.03.07", "1001", "3001001", 1200.5, "三月工资", "0001",
                                    "记账员"));
  }

  std::string serial_;
};

TEST_F(DetailLookupsTest, LookUpWhileOpenAndNothingWhileClosed) {
  DetailLookups lookups;
  EXPECT_EQ(lookups.Memo(serial_), "");
  EXPECT_EQ(lookups.SubjectName("3001001"), "");

  lookups.Open(db_);
  EXPECT_EQ(lookups.Memo(serial_), "三月工资");
  EXPECT_EQ(lookups.OperatorName(serial_), "记账员");
  EXPECT_EQ(lookups.SubjectName("3001001"), "节余\\中行\\活期");
  EXPECT_EQ(lookups.SubjectName("3009"), "");

  lookups.Close();
  EXPECT_EQ(lookups.Memo(serial_), "");
  EXPECT_EQ(lookups.OperatorName(serial_), "");
  EXPECT_EQ(lookups.SubjectName("3001001"), "");

  lookups.Open(db_);
  EXPECT_EQ(lookups.OperatorName(serial_), "记账员");
}

TEST_F(DetailLookupsTest, ASerialOfNoEntryLooksUpNothing) {
  DetailLookups lookups;
  lookups.Open(db_);
  const std::vector<std::string> serials = {"999", "0", "-1", "", "abc", serial_ + ".5", " " + serial_,
                                            serial_ + " ", "99999999999999999999"};
  for (const std::string& serial : serials) {
    EXPECT_EQ(lookups.Memo(serial), "") << serial;
    EXPECT_EQ(lookups.OperatorName(serial), "") << serial;
  }
  EXPECT_EQ(lookups.Memo(serial_), "三月工资");
}

// An entry is read when its line is first looked at, so an opening costs the same on any journal.
TEST_F(DetailLookupsTest, AnEntryIsReadWhenFirstLookedUp) {
  DetailLookups lookups;
  lookups.Open(db_);
  const std::string later =
      std::to_string(PostAs(EntryKind::Income, "2005.03.08", "1001", "3001001", 1, "奖金", "0002", "出纳"));
  EXPECT_EQ(lookups.Memo(later), "奖金");
  EXPECT_EQ(lookups.OperatorName(later), "出纳");
}

TEST_F(DetailLookupsTest, OpeningWithoutALedgerFailsAndLeavesThemClosed) {
  DetailLookups lookups;
  lookups.Open(db_);
  LedgerDatabase closed;
  EXPECT_THROW(lookups.Open(closed), DatabaseError);
  EXPECT_EQ(lookups.Memo(serial_), "");
  EXPECT_EQ(lookups.SubjectName("3001001"), "");
}

}  // namespace
}  // namespace money
