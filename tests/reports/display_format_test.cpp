#include "reports/display_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace money {
namespace {

struct FormatCase {
  double value;
  const char* format;
  const char* text;
};

std::ostream& operator<<(std::ostream& out, const FormatCase& c) {
  return out << c.value << " with \"" << c.format << "\"";
}

class FormatNumberTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, WritesTheCellText) {
  EXPECT_EQ(FormatNumber(GetParam().value, GetParam().format), GetParam().text);
}

// The amount format of the trees and grids: two decimals, a minus sign, no thousands separator.
INSTANTIATE_TEST_SUITE_P(
    SignedTwoDecimals, FormatNumberTest,
    ::testing::Values(FormatCase{-12.5, "0.00;-0.00", "-12.50"}, FormatCase{0, "0.00;-0.00", "0.00"},
                      FormatCase{-0.0, "0.00;-0.00", "0.00"}, FormatCase{120.5, "0.00;-0.00", "120.50"},
                      FormatCase{1234567.891, "0.00;-0.00", "1234567.89"}, FormatCase{0.5, "0.00;-0.00", "0.50"},
                      // half away from zero on the decimal value, not on its binary neighbour
                      FormatCase{1.005, "0.00;-0.00", "1.01"}, FormatCase{2.675, "0.00;-0.00", "2.68"},
                      FormatCase{-2.675, "0.00;-0.00", "-2.68"}, FormatCase{0.1 + 0.2, "0.00;-0.00", "0.30"},
                      FormatCase{9.995, "0.00;-0.00", "10.00"}, FormatCase{-999.999, "0.00;-0.00", "-1000.00"},
                      // a sum that cancels to a crumb shows as zero, never as "-0.00"
                      FormatCase{0.1 + 0.2 - 0.3, "0.00;-0.00", "0.00"}, FormatCase{-0.004, "0.00;-0.00", "0.00"},
                      FormatCase{-0.005, "0.00;-0.00", "-0.01"},
                      FormatCase{1e20, "0.00;-0.00", "100000000000000000000.00"},
                      FormatCase{1e-7, "0.00;-0.00", "0.00"}, FormatCase{-3, "0.00", "-3.00"}));

// The group total format: at most two decimals, none forced, no integer zero forced.
INSTANTIATE_TEST_SUITE_P(OptionalDecimals, FormatNumberTest,
                         ::testing::Values(FormatCase{1234, "#.##", "1234"}, FormatCase{-1234, "#.##", "-1234"},
                                           FormatCase{0.5, "#.##", ".5"}, FormatCase{0, "#.##", ""},
                                           FormatCase{12.5, "#.##", "12.5"}, FormatCase{12.345, "#.##", "12.35"},
                                           FormatCase{12.999, "#.##", "13"}, FormatCase{-0.25, "#.##", "-.25"},
                                           FormatCase{0.5, "0.##", "0.5"}, FormatCase{7, "0.0#", "7.0"},
                                           FormatCase{7.125, "0.0#", "7.13"}));

INSTANTIATE_TEST_SUITE_P(WholeNumbers, FormatNumberTest,
                         ::testing::Values(FormatCase{0, "0", "0"}, FormatCase{42, "0", "42"},
                                           FormatCase{0.5, "0", "1"}, FormatCase{-0.5, "0", "-1"},
                                           FormatCase{0.4, "0", "0"}, FormatCase{-0.4, "0", "0"},
                                           FormatCase{7, "000", "007"}, FormatCase{1234.5, "00", "1235"}));

INSTANTIATE_TEST_SUITE_P(
    SectionsAndLiterals, FormatNumberTest,
    ::testing::Values(FormatCase{-5, "0.00;(0.00)", "(5.00)"}, FormatCase{5, "0.00;(0.00)", "5.00"},
                      FormatCase{0, "0.00;-0.00;Zero", "Zero"}, FormatCase{0.001, "0.00;-0.00;-", "-"},
                      FormatCase{-5, "0.00;;Zero", "-5.00"}, FormatCase{0, "0.00;;Zero", "Zero"},
                      FormatCase{12.5, "合计 = #.##", "合计 = 12.5"}, FormatCase{-12.5, "合计 = #.##", "合计 = -12.5"},
                      FormatCase{3, "0 元", "3 元"}, FormatCase{0, "无", "无"}));

TEST(FormatNumberTest, WithoutFormatWritesTheShortestForm) {
  EXPECT_EQ(FormatNumber(120.5, ""), "120.5");
  EXPECT_EQ(FormatNumber(-3, ""), "-3");
  EXPECT_EQ(FormatNumber(0.1 + 0.2, ""), "0.3");
}

TEST(FormatNumberTest, WritesNamesForWhatIsNoNumber) {
  EXPECT_EQ(FormatNumber(std::nan(""), "0.00"), "NAN");
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "0.00"), "INF");
  EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), "0.00;-0.00"), "-INF");
}

}  // namespace
}  // namespace money
