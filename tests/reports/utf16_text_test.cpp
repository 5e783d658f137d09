#include "reports/utf16_text.h"

#include <gtest/gtest.h>

namespace money {
namespace {

TEST(Utf16TextTest, DecodesWellFormedTextAndReplacesEachBadByte) {
  const struct {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"", u""},
      {"lsh 12", u"lsh 12"},
      {"收入\\工资", u"收入\\工资"},
      {"café", u"caf\u00E9"},
      {"\xF0\x9F\x92\xB0", u"\xD83D\xDCB0"},  // beyond U+FFFF: a surrogate pair
      {"a\xFF"
       "b",
       u"a\xFFFD"
       "b"},  // a byte that starts nothing
      {"\xE6\x94"
       "x",
       u"\xFFFD\xFFFD"
       "x"},                                              // a sequence cut short
      {"\xC0\xAF", u"\xFFFD\xFFFD"},                      // an overlong form of "/"
      {"\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},  // beyond U+10FFFF
  };
  for (const auto& [utf8, utf16] : cases) EXPECT_EQ(Utf16OfUtf8(utf8), utf16) << utf8;
}

}  // namespace
}  // namespace money
