#include "subjects/subject_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace money {
namespace {

TEST(SubjectCodesTest, LevelsParentsAndChains) {
  const struct {
    const char* code;
    int level;
    char subject_class;
    const char* parent;
    std::vector<std::string> chain;
  } cases[] = {
      {"1", 1, '1', "", {"1"}},
      {"1001", 2, '1', "1", {"1001", "1"}},
      {"2000", 2, '2', "2", {"2000", "2"}},
      {"3001002", 3, '3', "3001", {"3001002", "3001", "3"}},
      {"3001002003004005006",
       7,
       '3',
       "3001002003004005",
       {"3001002003004005006", "3001002003004005", "3001002003004", "3001002003", "3001002", "3001", "3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(LevelOfCode(c.code), c.level);
    EXPECT_EQ(ClassOfCode(c.code), c.subject_class);
    EXPECT_EQ(ParentCode(c.code), c.parent);
    EXPECT_EQ(AncestorChain(c.code), c.chain);
    EXPECT_EQ(CodeAtLevel(c.code, 1), std::string(1, c.subject_class));
    EXPECT_EQ(CodeAtLevel(c.code, c.level), c.code);
    EXPECT_TRUE(IsWellFormedCode(c.code));
  }
  for (const char* bad : {"", "4001", "10", "10011", "1a01", "30010020030040050060071"}) {
    EXPECT_FALSE(IsWellFormedCode(bad)) << bad;
  }
}

TEST(SubjectCodesTest, SubtreesAndTextOrder) {
  EXPECT_FALSE(IsInSubtree("1002", "1001"));
  EXPECT_TRUE(IsInSubtree("1001005", "1001"));
  EXPECT_TRUE(IsInSubtree("1001", "1001"));
  EXPECT_FALSE(IsInSubtree("1", "1001"));
  std::vector<std::string> codes = {"2", "1001002", "1", "1002", "1001"};
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(codes, (std::vector<std::string>{"1", "1001", "1001002", "1002", "2"}));
}

TEST(SubjectCodesTest, ChildCodesNeedThreeDigitsBelowTheSeventhLevel) {
  const struct {
    const char* parent;
    const char* segment;
    std::optional<std::string> child;
  } cases[] = {
      {"2", "000", "2000"},
      {"1", " 001 ", "1001"},
      {"3001", "12", std::nullopt},
      {"3001", "", std::nullopt},
      {"3001", "1 2", std::nullopt},
      {"3001", "0012", std::nullopt},
      {"3001", "a12", std::nullopt},
      {"3001002003004005", "006", "3001002003004005006"},
      {"3001002003004005006", "001", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ChildCode(c.parent, c.segment), c.child) << c.parent << "+" << c.segment;
  EXPECT_EQ(ChildLongName("A\\B", "C"), "A\\B\\C");
  EXPECT_EQ(Trimmed(" \t名称 \r\n"), "名称");
}

}  // namespace
}  // namespace money
