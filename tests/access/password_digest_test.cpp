#include "access/password_digest.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace money {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

// A second, deliberately plain MD5: constants from the sine function, the RFC's rotating register
// naming, and the padding built as one byte vector. Used to check the digest over many lengths.
class ReferenceMd5 {
 public:
  ReferenceMd5() {
    for (int i = 0; i < 64; ++i)
      sines_[i] = static_cast<uint32_t>(std::floor(std::fabs(std::sin(i + 1.0)) * 4294967296.0));
  }

  // Standard MD5 (length field, 0x80 always), to show this reference is a real MD5.
  std::string Standard(const Bytes& message) const {
    Bytes padded = message;
    padded.push_back(0x80);
    while (padded.size() % 64 != 56) padded.push_back(0);
    const uint64_t bits = static_cast<uint64_t>(message.size()) * 8;
    for (int i = 0; i < 8; ++i) padded.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    return Hex(Run(padded), false);
  }

  // The stored-digest variant: zero length field, no marker for a 56..62-byte tail, reversed output.
  std::string Stored(const Bytes& message) const {
    Bytes padded = message;
    const size_t tail = message.size() % 64;
    if (tail <= 55) {
      padded.push_back(0x80);
      while (padded.size() % 64 != 0) padded.push_back(0);
    } else if (tail == 63) {
      padded.push_back(0x80);
      padded.insert(padded.end(), 64, 0);
    } else {
      while (padded.size() % 64 != 63) padded.push_back(0);
      padded.push_back(message.size() >= 64 ? message[message.size() - tail - 1] : 0);
      padded.insert(padded.end(), 64, 0);
    }
    return Hex(Run(padded), true);
  }

 private:
  static uint32_t Rotl(uint32_t x, int s) { return (x << s) | (x >> (32 - s)); }

  std::array<uint32_t, 4> Run(const Bytes& padded) const {
    static const int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};
    static const int kStart[4] = {0, 1, 5, 0};
    static const int kStride[4] = {1, 5, 3, 7};
    std::array<uint32_t, 4> h = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    for (size_t offset = 0; offset < padded.size(); offset += 64) {
      uint32_t x[16];
      for (int j = 0; j < 16; ++j) {
        x[j] = 0;
        for (int k = 3; k >= 0; --k) x[j] = (x[j] << 8) | padded[offset + 4 * j + k];
      }
      uint32_t r[4] = {h[0], h[1], h[2], h[3]};
      for (int i = 0; i < 64; ++i) {
        const int round = i / 16;
        uint32_t& a = r[(4 - i % 4) % 4];
        const uint32_t b = r[(5 - i % 4) % 4];
        const uint32_t c = r[(6 - i % 4) % 4];
        const uint32_t d = r[(7 - i % 4) % 4];
        const uint32_t f = round == 0   ? (b & c) | (~b & d)
                           : round == 1 ? (b & d) | (c & ~d)
                           : round == 2 ? b ^ c ^ d
                                        : c ^ (b | ~d);
        const int k = (kStart[round] + kStride[round] * (i % 16)) % 16;
        a = b + Rotl(a + f + x[k] + sines_[i], kShift[round][i % 4]);
      }
      for (int j = 0; j < 4; ++j) h[j] += r[j];
    }
    return h;
  }

  static std::string Hex(const std::array<uint32_t, 4>& h, bool reversed) {
    std::vector<std::string> pairs;
    for (uint32_t word : h) {
      for (int i = 0; i < 4; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", (word >> (8 * i)) & 0xFF);
        pairs.emplace_back(pair);
      }
    }
    std::string text;
    if (reversed) {
      for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) text += *it;
    } else {
      for (const auto& pair : pairs) text += pair;
    }
    return text;
  }

  uint32_t sines_[64];
};

// Printable ASCII of the given length, varied so that every block and the borrowed 64th byte differ.
std::string AsciiMessage(size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) text += static_cast<char>(33 + (i * 37 + length) % 94);
  return text;
}

TEST(ReferenceMd5Test, IsStandardMd5WithStandardFinish) {
  const ReferenceMd5 md5;
  EXPECT_EQ(md5.Standard(BytesOf("")), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(md5.Standard(BytesOf("abc")), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(md5.Standard(BytesOf("12345678901234567890123456789012345678901234567890123456789012345678901234567890")),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(PasswordDigestTest, KnownDigestOfAbc) {
  EXPECT_EQ(PasswordDigest("abc"), "739ab809f24aac216380346356fa1148");
  EXPECT_EQ(ReferenceMd5().Stored(BytesOf("abc")), "739ab809f24aac216380346356fa1148");
}

TEST(PasswordDigestTest, AgreesWithReferenceForEveryTailLength) {
  const ReferenceMd5 md5;
  for (size_t length = 1; length <= 200; ++length) {
    const std::string text = AsciiMessage(length);
    const std::string digest = PasswordDigest(text);
    ASSERT_EQ(digest, md5.Stored(BytesOf(text))) << "length " << length;
    ASSERT_EQ(digest.find_first_not_of("0123456789abcdef"), std::string::npos) << digest;
    ASSERT_EQ(digest.size(), 32u);
  }
}

// A tail of 56..61 bytes gets no marker and is zero-filled, so one more NUL byte changes nothing;
// at 55 (marker moves) and 62 (63 gets the marker) it does.
TEST(PasswordDigestTest, TailsOf56To62AreFinishedWithoutMarker) {
  struct Case {
    size_t length;
    bool same_with_trailing_nul;
  };
  const Case cases[] = {{55, false}, {56, true},   {60, true},  {61, true},  {62, false},
                        {63, false}, {119, false}, {120, true}, {125, true}, {126, false}};
  for (const Case& c : cases) {
    const std::string text = AsciiMessage(c.length);
    EXPECT_EQ(PasswordDigest(text) == PasswordDigest(text + std::string(1, '\0')), c.same_with_trailing_nul)
        << "length " << c.length;
  }
}

TEST(PasswordDigestTest, EmptyTextIsDigestedAsOneBlank) {
  EXPECT_EQ(PasswordDigest(""), PasswordDigest(" "));
  EXPECT_EQ(PasswordDigest(""), ReferenceMd5().Stored(BytesOf(" ")));
}

TEST(PasswordDigestTest, ExactTextMatters) {
  const std::pair<std::string, std::string> different[] = {
      {"0001abc", "0001ABC"}, {"0001pw", "0001pw "}, {"0001pw", "0001 pw"}, {"0001", "0001 "}, {"0001", "1000"}};
  for (const auto& [one, other] : different) EXPECT_NE(PasswordDigest(one), PasswordDigest(other)) << one;
}

TEST(PasswordDigestTest, NoCallDependsOnAnEarlierOne) {
  const std::string first = PasswordDigest("0001");
  PasswordDigest(AsciiMessage(150));
  EXPECT_EQ(PasswordDigest("0001"), first);
}

TEST(PasswordDigestTest, ChineseTextIsDigestedOverGbkBytes) {
  const ReferenceMd5 md5;
  struct Case {
    const char* text;
    Bytes gbk;
  };
  const Case cases[] = {
      {"9999口令", {'9', '9', '9', '9', 0xBF, 0xDA, 0xC1, 0xEE}},
      {"—·", {0xA1, 0xAA, 0xA1, 0xA4}},
      {"€", {0x80}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PasswordDigest(c.text), md5.Stored(c.gbk)) << c.text;
    EXPECT_NE(PasswordDigest(c.text), md5.Stored(BytesOf(c.text))) << c.text;
  }
}

TEST(PasswordDigestTest, TextWithoutGbkEncodingIsDigestedWithQuestionMarks) {
  const ReferenceMd5 md5;
  EXPECT_EQ(PasswordDigest("ab😀c"), md5.Stored(BytesOf("ab?c")));
  EXPECT_EQ(PasswordDigest("ab\xFF"
                           "c"),
            md5.Stored(BytesOf("ab?c")));
  EXPECT_EQ(PasswordDigest("口\xE5\x8F"), md5.Stored({0xBF, 0xDA, '?'}));
  EXPECT_EQ(PasswordDigest("\xE5"
                           "A\xC0\xAF"),
            md5.Stored(BytesOf("?A??")));
}

TEST(IsGbkEncodableTest, RefusesWhatGbkCannotHold) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},     {"9999", true},    {"9999口令", true},  {"é—·€", true},
      {"ab😀", false}, {"ab\xFF", false}, {"\xE5\x8F", false}, {"\xC0\xAF", false},
  };
  for (const auto& [text, encodable] : cases) EXPECT_EQ(IsGbkEncodable(text), encodable) << text;
}

}  // namespace
}  // namespace money
