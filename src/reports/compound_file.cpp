#include "reports/compound_file.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "reports/little_endian_bytes.h"

namespace money {

namespace {

constexpr size_t kSectorSize = 512;
constexpr size_t kMiniStreamCutoff = 4096;
constexpr size_t kLargestStream = 0x7FFFFFFF;
constexpr size_t kEntriesPerFatSector = kSectorSize / 4;
constexpr size_t kHeaderFatSectors = 109;                            // FAT sector locations in the header
constexpr size_t kEntriesPerDifatSector = kEntriesPerFatSector - 1;  // the last one links the next
constexpr size_t kDirectoryEntrySize = 128;
constexpr size_t kNameBytes = 64;

constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

constexpr std::uint8_t kStreamObject = 2;
constexpr std::uint8_t kRootObject = 5;
constexpr std::uint8_t kBlack = 1;

// Where everything goes: the stream's sectors first, then the FAT, the DIFAT and the directory.
struct SectorPlan {
  size_t stream_sectors = 0;
  size_t fat_sectors = 0;
  size_t difat_sectors = 0;

  size_t FirstFat() const { return stream_sectors; }
  size_t FirstDifat() const { return FirstFat() + fat_sectors; }
  size_t Directory() const { return FirstDifat() + difat_sectors; }
  size_t Total() const { return Directory() + 1; }
};

SectorPlan PlanSectors(size_t stream_size) {
  SectorPlan plan;
  plan.stream_sectors = (stream_size + kSectorSize - 1) / kSectorSize;
  // The FAT maps every sector, its own included; past 109 FAT sectors, DIFAT sectors list the rest.
  for (plan.fat_sectors = 1;; ++plan.fat_sectors) {
    const size_t beyond_header = plan.fat_sectors > kHeaderFatSectors ? plan.fat_sectors - kHeaderFatSectors : 0;
    plan.difat_sectors = (beyond_header + kEntriesPerDifatSector - 1) / kEntriesPerDifatSector;
    if (plan.fat_sectors * kEntriesPerFatSector >= plan.Total()) return plan;
  }
}

void AppendHeader(LittleEndianBytes& file, const SectorPlan& plan) {
  file.Raw("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1").Zeros(16);
  file.U16(0x003E).U16(0x0003).U16(0xFFFE).U16(9).U16(6).Zeros(6);
  file.U32(0).U32(static_cast<std::uint32_t>(plan.fat_sectors)).U32(static_cast<std::uint32_t>(plan.Directory()));
  file.U32(0).U32(kMiniStreamCutoff).U32(kEndOfChain).U32(0);
  file.U32(plan.difat_sectors > 0 ? static_cast<std::uint32_t>(plan.FirstDifat()) : kEndOfChain);
  file.U32(static_cast<std::uint32_t>(plan.difat_sectors));
  for (size_t i = 0; i < kHeaderFatSectors; ++i) {
    file.U32(i < plan.fat_sectors ? static_cast<std::uint32_t>(plan.FirstFat() + i) : kFreeSector);
  }
}

void AppendFat(LittleEndianBytes& file, const SectorPlan& plan) {
  for (size_t sector = 0; sector < plan.fat_sectors * kEntriesPerFatSector; ++sector) {
    if (sector + 1 < plan.stream_sectors) {
      file.U32(static_cast<std::uint32_t>(sector + 1));
    } else if (sector < plan.stream_sectors || sector == plan.Directory()) {
      file.U32(kEndOfChain);
    } else if (sector < plan.FirstDifat()) {
      file.U32(kFatSector);
    } else if (sector < plan.Directory()) {
      file.U32(kDifatSector);
    } else {
      file.U32(kFreeSector);
    }
  }
}

// The FAT sectors past the header's 109, 127 to a sector, each sector linking the next.
void AppendDifat(LittleEndianBytes& file, const SectorPlan& plan) {
  for (size_t d = 0; d < plan.difat_sectors; ++d) {
    for (size_t i = 0; i < kEntriesPerDifatSector; ++i) {
      const size_t fat = kHeaderFatSectors + d * kEntriesPerDifatSector + i;
      file.U32(fat < plan.fat_sectors ? static_cast<std::uint32_t>(plan.FirstFat() + fat) : kFreeSector);
    }
    file.U32(d + 1 < plan.difat_sectors ? static_cast<std::uint32_t>(plan.FirstDifat() + d + 1) : kEndOfChain);
  }
}

struct DirectoryEntry {
  std::u16string_view name;
  std::uint8_t type = 0;
  std::uint32_t child = kNoStream;
  std::uint32_t start = kEndOfChain;
  std::uint64_t size = 0;
};

void AppendEntry(LittleEndianBytes& file, const DirectoryEntry& entry) {
  const size_t start = file.Size();
  if (!entry.name.empty()) {
    for (const char16_t unit : entry.name) file.U16(unit);
    file.U16(0);
  }
  file.Zeros(kNameBytes - (file.Size() - start));
  file.U16(entry.name.empty() ? 0 : static_cast<std::uint16_t>(2 * (entry.name.size() + 1)));
  file.U8(entry.type).U8(entry.type == 0 ? 0 : kBlack);
  file.U32(kNoStream).U32(kNoStream).U32(entry.child);
  file.Zeros(16 + 4 + 8 + 8);  // class id, state bits, creation and modification times
  file.U32(entry.type == 0 ? 0 : entry.start).U64(entry.size);
}

}  // namespace

std::string CompoundFile(std::u16string_view stream_name, std::string_view stream) {
  if (stream.size() > kLargestStream) throw std::length_error("a stream too large for a compound file");
  if (stream_name.size() * 2 + 2 > kNameBytes) throw std::length_error("a stream name too long for a compound file");
  const size_t stream_size = std::max(stream.size(), kMiniStreamCutoff);
  const SectorPlan plan = PlanSectors(stream_size);

  LittleEndianBytes file;
  AppendHeader(file, plan);
  file.Raw(stream).Zeros(plan.stream_sectors * kSectorSize - stream.size());
  AppendFat(file, plan);
  AppendDifat(file, plan);
  AppendEntry(file, {u"Root Entry", kRootObject, 1, kEndOfChain, 0});
  AppendEntry(file, {stream_name, kStreamObject, kNoStream, 0, stream_size});
  for (size_t unused = 2; unused < kSectorSize / kDirectoryEntrySize; ++unused) AppendEntry(file, {});
  return std::move(file).Take();
}

}  // namespace money
