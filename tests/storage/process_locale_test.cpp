#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "reports/display_format.h"
#include "storage/query_dataset.h"
#include "storage/sql_text.h"
#include "support/ledger_fixture.h"
#include "transactions/entry_form.h"
#include "transactions/ledger_check.h"
#include "transactions/posting_engine.h"

namespace money {
namespace {

// The windows' application object sets the process locale from the user's environment. Whatever it
// is, numbers in statements, cells and dialogs keep "." as decimal point and field names match in
// any letter case.
class ProcessLocaleTest : public test::LedgerFixture {
 protected:
  void SetUp() override { saved_locale_ = std::setlocale(LC_ALL, nullptr); }

  void TearDown() override {
    std::setlocale(LC_ALL, saved_locale_.c_str());
    unsetenv("LOCPATH");
  }

  // Builds the named UTF-8 locale once into a folder of its own and makes it the process locale;
  // false when it cannot be built on this machine.
  static bool UseLocale(const std::string& name) {
    static const test::TempFolder locales;
    const std::filesystem::path built = locales / (name + ".UTF-8");
    if (!std::filesystem::exists(built)) {
      const std::string command = "localedef -i " + name + " -f UTF-8 '" + built.string() + "' >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0) return false;
    }
    setenv("LOCPATH", locales.Path().c_str(), 1);
    return std::setlocale(LC_ALL, (name + ".UTF-8").c_str()) != nullptr;
  }

  std::string saved_locale_;
};

// Locales whose decimal separator is no ".": a comma, and the two-byte Arabic decimal separator.
class DecimalSeparatorTest : public ProcessLocaleTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DecimalSeparatorTest, ChangesNoNumberText) {
  if (!UseLocale(GetParam())) GTEST_SKIP() << "localedef cannot build " << GetParam() << " here";
  char printed[8];
  std::snprintf(printed, sizeof printed, "%.1f", 1.5);
  ASSERT_STRNE(printed, "1.5") << "the locale in force writes another decimal separator";

  EXPECT_EQ(SqlNumber(120.5), "120.5");
  EXPECT_EQ(SqlNumber(-1.5e-6), "-1.5E-6");
  EXPECT_EQ(FormatNumber(1234.5, "0.00;-0.00"), "1234.50");
  EXPECT_EQ(FormatNumber(0.25, "#.##"), ".25");
  EXPECT_EQ(AmountForEditing(20.555), "20.56");
  EXPECT_EQ(FieldText(FieldValue{2.75}), "2.75");
  EXPECT_EQ(FieldText(FieldValue{1e20}), "1e+20");

  const struct {
    const char* text;
    double number;
  } texts[] = {{"2.75", 2.75}, {" +1.5e1 元", 15}, {"-0.5", -0.5}, {"2,75", 2}, {"+-5", 0}, {"元", 0}, {"", 0}};
  for (const auto& t : texts) EXPECT_EQ(FieldNumber(FieldValue{std::string(t.text)}), t.number) << t.text;

  AddSubject("1001", "工资");
  AddSubject("3001", "现金");
  const PostingResult posted =
      PostEntry(db_, NewEntry{EntryKind::Income, "2005.03.07", {"1001", 2}, {"3001", 2}, 120.5, "", "9999", "管理员"});
  ASSERT_TRUE(posted.ok) << posted.detail;
  EXPECT_EQ(Balance("3001"), 120.5);
  EXPECT_EQ(Balance("1"), 120.5);
  EXPECT_TRUE(CheckLedger(db_).empty());
}

INSTANTIATE_TEST_SUITE_P(Locales, DecimalSeparatorTest, ::testing::Values("de_DE", "ps_AF"));

TEST_F(ProcessLocaleTest, ATurkishLocaleStillMatchesFieldNamesInAnyCase) {
  if (!UseLocale("tr_TR")) GTEST_SKIP() << "localedef cannot build tr_TR here";
  EXPECT_TRUE(EqualsIgnoringCase("UID", "uid"));
  QueryDataset operators = db_.OpenQuery("select UID from B_USER");
  EXPECT_EQ(operators.FieldIndex("uid"), 0);
  EXPECT_EQ(operators.Text("uid"), "9999");
}

}  // namespace
}  // namespace money
