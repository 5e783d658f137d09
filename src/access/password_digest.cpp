#include "access/password_digest.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace money {
namespace {

// ---- GBK conversion ----

struct GbkText {
  std::string bytes;
  bool complete = true;  // false when some character had no GBK encoding or the UTF-8 was invalid
};

class Utf8ToGbk {
 public:
  Utf8ToGbk() : handle_(iconv_open("GBK", "UTF-8")) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv has no UTF-8 to GBK conversion");
  }
  ~Utf8ToGbk() { iconv_close(handle_); }
  Utf8ToGbk(const Utf8ToGbk&) = delete;
  Utf8ToGbk& operator=(const Utf8ToGbk&) = delete;

  iconv_t Handle() const { return handle_; }

 private:
  iconv_t handle_;
};

// How many bytes of the UTF-8 text starting at `text` make up the character iconv refused: the lead
// byte and the continuation bytes that follow it, up to the length the lead byte announces, so that a
// whole or truncated character becomes one "?" and a stray byte one "?" of its own.
size_t RefusedLength(const char* text, size_t available) {
  const auto lead = static_cast<unsigned char>(text[0]);
  size_t length = 1;
  if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  }
  size_t taken = 1;
  while (taken < length && taken < available && (static_cast<unsigned char>(text[taken]) & 0xC0) == 0x80) ++taken;
  return taken;
}

// The text's GBK bytes; a character without a GBK encoding becomes "?", as the ANSI conversion of the
// original platform does.
GbkText ToGbk(std::string_view utf8) {
  Utf8ToGbk converter;
  GbkText result;
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  std::array<char, 256> buffer;
  while (in_left > 0) {
    char* out = buffer.data();
    size_t out_left = buffer.size();
    const size_t converted = iconv(converter.Handle(), &in, &in_left, &out, &out_left);
    result.bytes.append(buffer.data(), static_cast<size_t>(out - buffer.data()));
    if (converted != static_cast<size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ or EINVAL: the character at `in` cannot be converted.
    result.complete = false;
    result.bytes += '?';
    const size_t skip = RefusedLength(in, in_left);
    in += skip;
    in_left -= skip;
  }
  return result;
}

// ---- MD5 block function (RFC 1321) ----

using State = std::array<uint32_t, 4>;
using Block = std::array<uint8_t, 64>;

constexpr State kInitialState = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

constexpr std::array<uint32_t, 64> kSineTable = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

constexpr std::array<int, 16> kShifts = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

uint32_t RotateLeft(uint32_t value, int bits) { return (value << bits) | (value >> (32 - bits)); }

void Compress(State& state, const uint8_t* block) {
  std::array<uint32_t, 16> words;
  for (size_t i = 0; i < words.size(); ++i) {
    words[i] = static_cast<uint32_t>(block[4 * i]) | static_cast<uint32_t>(block[4 * i + 1]) << 8 |
               static_cast<uint32_t>(block[4 * i + 2]) << 16 | static_cast<uint32_t>(block[4 * i + 3]) << 24;
  }
  uint32_t a = state[0];
  uint32_t b = state[1];
  uint32_t c = state[2];
  uint32_t d = state[3];
  for (int step = 0; step < 64; ++step) {
    const int round = step / 16;
    uint32_t mixed;
    int word;
    switch (round) {
      case 0:
        mixed = (b & c) | (~b & d);
        word = step;
        break;
      case 1:
        mixed = (b & d) | (c & ~d);
        word = (5 * step + 1) % 16;
        break;
      case 2:
        mixed = b ^ c ^ d;
        word = (3 * step + 5) % 16;
        break;
      default:
        mixed = c ^ (b | ~d);
        word = (7 * step) % 16;
        break;
    }
    const uint32_t rotated = RotateLeft(a + mixed + kSineTable[step] + words[word], kShifts[4 * round + step % 4]);
    a = d;
    d = c;
    c = b;
    b += rotated;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

// The final block(s) of the stored digests: no length field, and a tail of 56 to 62 bytes gets no 0x80
// marker but the last byte of the preceding complete block in its 64th place.
void CompressTail(State& state, const uint8_t* message, size_t length) {
  const size_t tail = length % 64;
  Block block{};
  std::memcpy(block.data(), message + length - tail, tail);
  if (tail <= 55) {
    block[tail] = 0x80;
    Compress(state, block.data());
    return;
  }
  if (tail == 63) {
    block[tail] = 0x80;
  } else if (length >= 64) {
    block[63] = message[length - tail - 1];
  }
  Compress(state, block.data());
  const Block zero_block{};
  Compress(state, zero_block.data());
}

std::string HexOfReversedBytes(const State& state) {
  static constexpr char kHexDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(32);
  for (int byte = 15; byte >= 0; --byte) {
    const uint32_t value = (state[byte / 4] >> (8 * (byte % 4))) & 0xFF;
    text += kHexDigits[value >> 4];
    text += kHexDigits[value & 0x0F];
  }
  return text;
}

}  // namespace

std::string PasswordDigest(std::string_view text) {
  std::string message = ToGbk(text).bytes;
  if (message.empty()) message = " ";
  const auto* bytes = reinterpret_cast<const uint8_t*>(message.data());
  State state = kInitialState;
  const size_t complete_blocks = message.size() / 64;
  for (size_t i = 0; i < complete_blocks; ++i) Compress(state, bytes + 64 * i);
  CompressTail(state, bytes, message.size());
  return HexOfReversedBytes(state);
}

bool IsGbkEncodable(std::string_view text) { return ToGbk(text).complete; }

}  // namespace money
