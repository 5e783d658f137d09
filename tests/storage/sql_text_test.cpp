#include "storage/sql_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <stdexcept>

namespace money {
namespace {

TEST(QuoteSqlTest, DoublesEveryQuoteInside) {
  EXPECT_EQ(QuoteSql(""), "''");
  EXPECT_EQ(QuoteSql("工资"), "'工资'");
  EXPECT_EQ(QuoteSql("it's"), "'it''s'");
  EXPECT_EQ(QuoteSql("''"), "''''''");
  EXPECT_EQ(QuoteSql("x'); delete from B_KM; --"), "'x''); delete from B_KM; --'");
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
