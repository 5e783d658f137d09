#include "subjects/subject_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "storage/sql_text.h"
#include "support/ledger_fixture.h"
#include "transactions/posting_engine.h"

namespace money {
namespace {

class SubjectStoreTest : public test::LedgerFixture {
 protected:
  Subject Get(const std::string& code) { return FindSubject(db_, code).value(); }
};

TEST_F(SubjectStoreTest, NewChildRowTakesItsPlaceUnderTheParent) {
  const Subject root = Get("2");
  EXPECT_EQ(CheckNewChild(root, " 001 ", " 食品 "), NewChildProblem::kNone);
  const Subject food = NewChildRow(root, " 001 ", " 食品 ", " 每日 ");
  EXPECT_EQ(food.id, "2001");
  EXPECT_EQ(food.parentid, "2");
  EXPECT_EQ(food.mc, "食品");
  EXPECT_EQ(food.lmc, "支出\\食品");
  EXPECT_EQ(food.js, 2);
  EXPECT_EQ(food.bz, "每日");
  EXPECT_EQ(InsertSubject(db_, food), StoreOutcome::kStored);
  EXPECT_EQ(InsertSubject(db_, food), StoreOutcome::kDuplicateCode);
  EXPECT_EQ(Get("2001").lmc, "支出\\食品");
  EXPECT_EQ(RequiredChildCodeLength(root), 4);
  EXPECT_EQ(RequiredChildCodeLength(food), 7);
}

TEST_F(SubjectStoreTest, NewChildProblemsComeInTheWindowsOrder) {
  AddSubject("3001", "银行");
  const Subject bank = Get("3001");
  Subject deepest = bank;
  deepest.js = 7;
  const struct {
    const Subject& parent;
    const char* segment;
    const char* name;
    NewChildProblem problem;
  } cases[] = {
      {deepest, "001", "x", NewChildProblem::kParentTooDeep}, {bank, "", "", NewChildProblem::kEmptyName},
      {bank, "", "工行", NewChildProblem::kSegmentLength},      {bank, "01", "工行", NewChildProblem::kSegmentLength},
      {bank, "  ", "  ", NewChildProblem::kEmptyName},        {bank, "001", "工行", NewChildProblem::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckNewChild(c.parent, c.segment, c.name), c.problem) << c.segment;
}

TEST_F(SubjectStoreTest, RenameRebuildsEveryLongNameBelowAndNothingElse) {
  AddSubject("3001", "B");
  AddSubject("3001001", "C");
  AddSubject("3001001001", "D");
  AddSubject("3002", "BB");
  db_.Execute("update B_KM set ye=9 where id='3001001'");
  RenameSubject(db_, Get("3001"), "储蓄", "新备注");
  EXPECT_EQ(Get("3001").lmc, "节余\\储蓄");
  EXPECT_EQ(Get("3001").mc, "储蓄");
  EXPECT_EQ(Get("3001").bz, "新备注");
  EXPECT_EQ(Get("3001001").lmc, "节余\\储蓄\\C");
  EXPECT_EQ(Get("3001001001").lmc, "节余\\储蓄\\C\\D");
  EXPECT_EQ(Get("3001001").mc, "C");
  EXPECT_EQ(Get("3001001").ye, 9);
  EXPECT_EQ(Get("3002").lmc, "节余\\BB");
  RenameSubject(db_, Get("3001001"), "it's", "");
  EXPECT_EQ(Get("3001001001").lmc, "节余\\储蓄\\it's\\D");
}

TEST_F(SubjectStoreTest, RenameWritesTheSubjectsOwnRowInTheLedgersDialect) {
  AddSubject("3001", "B");
  Record();
  RenameSubject(db_, Get("3001"), "it's \"x\"", "--'; drop");
  EXPECT_THAT(recorded_, ::testing::Contains("update B_KM set lmc=" + QuoteSql("节余\\it's \"x\"") +
                                             ",mc=" + QuoteSql("it's \"x\"") + ",bz=" + QuoteSql("--'; drop") +
                                             " where id =" + QuoteSql("3001")));
  EXPECT_EQ(Get("3001").mc, "it's \"x\"");
  EXPECT_EQ(Get("3001").bz, "--'; drop");
}

TEST_F(SubjectStoreTest, RenameThatDoesNotFitChangesNothing) {
  AddSubject("3001", "B");
  AddSubject("3001001", "C");
  db_.Execute("update B_KM set lmc='" + std::string(238, 'x') + "\\C' where id='3001001'");
  const Subject before = Get("3001");
  EXPECT_THROW(RenameSubject(db_, before, "longer", ""), DatabaseError);
  EXPECT_FALSE(db_.InTransaction());
  EXPECT_EQ(Get("3001").mc, "B");
  EXPECT_EQ(Get("3001001").lmc, std::string(238, 'x') + "\\C");
}

TEST_F(SubjectStoreTest, DeleteKeepsRootsParentsAndUsedSubjects) {
  AddSubject("3001", "银行");
  AddSubject("3001001", "工行");
  AddSubject("3002", "现金");
  AddSubject("1001", "工资");
  AddSubject("3003", "空");
  ASSERT_TRUE(PostEntry(db_, NewEntry{EntryKind::Income, "2005.03.07", {"1001", 2}, {"3002", 2}, 10, "", "9999", "管理员"}).ok);
  EXPECT_EQ(DeleteSubject(db_, "3"), DeleteOutcome::kClassRoot);
  EXPECT_EQ(DeleteSubject(db_, "3001"), DeleteOutcome::kHasChildren);
  EXPECT_EQ(DeleteSubject(db_, "3002"), DeleteOutcome::kInUse);
  EXPECT_EQ(DeleteSubject(db_, "3003"), DeleteOutcome::kDeleted);
  EXPECT_FALSE(FindSubject(db_, "3003"));
  EXPECT_TRUE(FindSubject(db_, "3002"));
  std::vector<std::string> savings;
  for (const auto& [code, subject] : Chart()) {
    if (code[0] == '3') savings.push_back(code);
  }
  EXPECT_EQ(savings, (std::vector<std::string>{"3", "3001", "3001001", "3002"}));
}

}  // namespace
}  // namespace money
