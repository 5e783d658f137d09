#include "storage/sql_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "storage/ledger_database.h"
#include "support/ledger_fixture.h"

namespace money {
namespace {

TEST(QuoteSqlTest, DoublesEveryQuoteInside) {
  EXPECT_EQ(QuoteSql(""), "''");
  EXPECT_EQ(QuoteSql("工资"), "'工资'");
  EXPECT_EQ(QuoteSql("it's"), "'it''s'");
  EXPECT_EQ(QuoteSql("''"), "''''''");
  EXPECT_EQ(QuoteSql("x'); delete from B_KM; --"), "'x''); delete from B_KM; --'");
}

class QuoteSqlRoundTripTest : public test::LedgerFixture {};

// Texts of the characters that could end a literal, start a comment or split a statement, stored through
// the ledger's dialect as the posting engine writes them, come back unchanged.
TEST_F(QuoteSqlRoundTripTest, RandomTextsComeBackAsStored) {
  const std::vector<std::string> alphabet = {"'", "''", "\"", "-", "--", "/", "*", "/*", "*/", ";", "\\", " ",
                                             "\n", "\r\n", "\t", "钱", "账", "，", "’", "a", "0", "%", "_", "?"};
  std::mt19937 random(20050307);
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 30);
  for (int i = 0; i < 300; ++i) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += alphabet[pick(random)];
    const std::string code = "3" + std::to_string(100 + i);
    db_.Execute("insert into B_KM values(" + QuoteSql(code) + ",'3','x',2,0,'x'," + QuoteSql(text) + ")");
    QueryDataset stored = db_.OpenQuery("select bz from B_KM where id=?", {code});
    ASSERT_EQ(stored.Text("bz"), text) << "case " << i;
  }
  EXPECT_EQ(Count("select count(*) from B_KM"), 303);
}

struct NumberCase {
  double value;
  const char* text;
};

void PrintTo(const NumberCase& number, std::ostream* out) { *out << number.text; }

class SqlNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(SqlNumberTest, WritesShortestFifteenDigitForm) { EXPECT_EQ(SqlNumber(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Cases, SqlNumberTest,
    ::testing::Values(NumberCase{120.5, "120.5"}, NumberCase{100, "100"}, NumberCase{0.1, "0.1"},
                      NumberCase{-5, "-5"}, NumberCase{0, "0"}, NumberCase{-0.0, "0"}, NumberCase{0.3 - 0.1, "0.2"},
                      NumberCase{1.0 / 3, "0.333333333333333"}, NumberCase{2.0 / 3, "0.666666666666667"},
                      NumberCase{123456789012345, "123456789012345"}, NumberCase{999999999999999, "999999999999999"},
                      NumberCase{1e15, "1E15"}, NumberCase{1234567890123456, "1.23456789012346E15"},
                      NumberCase{999999999999999.9, "1E15"}, NumberCase{-2.5e20, "-2.5E20"},
                      NumberCase{0.00001, "0.00001"}, NumberCase{0.000015, "0.000015"},
                      NumberCase{0.0000099, "9.9E-6"}, NumberCase{1.5e-6, "1.5E-6"}, NumberCase{-1e-7, "-1E-7"},
                      NumberCase{1e-300, "1E-300"}, NumberCase{12345.678, "12345.678"},
                      NumberCase{1000000, "1000000"}, NumberCase{0.1 + 0.2, "0.3"}));

TEST(SqlNumberTest, RefusesWhatNoStatementCanCarry) {
  EXPECT_THROW(SqlNumber(std::numeric_limits<double>::infinity()), std::domain_error);
  EXPECT_THROW(SqlNumber(std::nan("")), std::domain_error);
}

}  // namespace
}  // namespace money
