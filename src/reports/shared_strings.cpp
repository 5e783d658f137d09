#include "reports/shared_strings.h"

#include <algorithm>
#include <stdexcept>

#include "reports/biff_records.h"
#include "reports/little_endian_bytes.h"
#include "reports/utf16_text.h"

namespace money {

namespace {

constexpr size_t kLongestCellText = 32767;
constexpr size_t kStringHeader = 3;  // character count (2) and option flags (1)
constexpr std::uint8_t kHighBytes = 0x01;
constexpr size_t kMostBuckets = 128;
constexpr size_t kFewestPerBucket = 8;

// Where a string of the table starts: in which of the records, and at which byte of its data.
struct StringStart {
  size_t record = 0;
  size_t offset = 0;
};

// Fills records of at most kBiffMaxRecordData bytes with strings. A string's header is never split; its
// characters may go on in the next record, which then starts with the option flags again.
class RecordFiller {
 public:
  RecordFiller() { records_.emplace_back(); }

  LittleEndianBytes& Current() { return records_.back(); }
  size_t Room() const { return kBiffMaxRecordData - records_.back().Size(); }
  void NextRecord() { records_.emplace_back(); }
  StringStart Here() const { return {records_.size() - 1, records_.back().Size()}; }

  void Append(const std::u16string& text) {
    const bool high = std::any_of(text.begin(), text.end(), [](char16_t unit) { return unit > 0xFF; });
    const size_t unit_size = high ? 2 : 1;
    const std::uint8_t flags = high ? kHighBytes : 0;
    Current().U16(static_cast<std::uint16_t>(text.size())).U8(flags);
    size_t written = 0;
    while (written < text.size()) {
      if (Room() < unit_size) {
        NextRecord();
        Current().U8(flags);
      }
      const size_t count = std::min(Room() / unit_size, text.size() - written);
      for (size_t i = written; i < written + count; ++i) {
        if (high) {
          Current().U16(text[i]);
        } else {
          Current().U8(static_cast<std::uint8_t>(text[i]));
        }
      }
      written += count;
    }
  }

  // The room a string needs in the current record before it may start there: its header and, unless
  // it is empty, its first character.
  static size_t StartRoom(const std::u16string& text) {
    if (text.empty()) return kStringHeader;
    const bool high = std::any_of(text.begin(), text.end(), [](char16_t unit) { return unit > 0xFF; });
    return kStringHeader + (high ? 2 : 1);
  }

  const std::vector<LittleEndianBytes>& Records() const { return records_; }

 private:
  std::vector<LittleEndianBytes> records_;
};

}  // namespace

std::uint32_t SharedStrings::IndexOf(std::string_view text) {
  ++uses_;
  const auto found = index_of_.find(std::string(text));
  if (found != index_of_.end()) return found->second;
  std::u16string units = Utf16OfUtf8(text);
  if (units.size() > kLongestCellText) throw std::length_error("a text longer than a worksheet cell holds");
  const auto index = static_cast<std::uint32_t>(texts_.size());
  texts_.push_back(std::move(units));
  index_of_.emplace(text, index);
  return index;
}

void SharedStrings::AppendTo(LittleEndianBytes& globals) const {
  const size_t per_bucket = std::max(kFewestPerBucket, (texts_.size() + kMostBuckets - 1) / kMostBuckets);
  RecordFiller filler;
  filler.Current().U32(uses_).U32(static_cast<std::uint32_t>(texts_.size()));
  std::vector<StringStart> bucket_starts;
  for (size_t i = 0; i < texts_.size(); ++i) {
    if (filler.Room() < RecordFiller::StartRoom(texts_[i])) filler.NextRecord();
    if (i % per_bucket == 0) bucket_starts.push_back(filler.Here());
    filler.Append(texts_[i]);
  }

  std::vector<size_t> record_positions;
  const std::vector<LittleEndianBytes>& records = filler.Records();
  for (size_t r = 0; r < records.size(); ++r) {
    record_positions.push_back(globals.Size());
    AppendRecord(globals, r == 0 ? kBiffSst : kBiffContinue, records[r]);
  }

  // The index: where every per_bucket-th string starts, in the stream and within its record.
  LittleEndianBytes index;
  index.U16(static_cast<std::uint16_t>(per_bucket));
  for (const StringStart& start : bucket_starts) {
    const size_t in_record = 4 + start.offset;
    index.U32(static_cast<std::uint32_t>(record_positions[start.record] + in_record));
    index.U16(static_cast<std::uint16_t>(in_record)).U16(0);
  }
  AppendRecord(globals, kBiffExtsst, index);
}

}  // namespace money
