#pragma once

#include <cstddef>
#include <string>

#include "reports/detail_messages.h"
#include "reports/detail_request.h"

namespace money {

// The two detail ledgers: the period detail ledger, opened from the period activity window, and the
// subject detail ledger, opened from the balance query window.
enum class DetailLedgerKind { kPeriod, kSubject };

// What the two differ in.
struct DetailLedgerTraits {
  DetailLedgerKind kind;
  const char* form_name;
  const char* caption;  // the built-in caption; every opening sets its own
  const char* settings_section;
  int serial_width;             // of "流水号"
  int amount_width;             // of "金额"
  size_t batch_size;            // rows read at a time as the operator scrolls; 0: the grid's default
  bool file_name_from_caption;  // else "科目明细_" and the subject's long name
};

inline constexpr DetailLedgerTraits kDetailLedgerKinds[] = {
    {DetailLedgerKind::kPeriod, "TForm18", "科目发生额明细", "FSSMXFrm", 67, 107, 70, true},
    {DetailLedgerKind::kSubject, "TForm28", "科目明细", "YEMXFrm", 66, 98, 0, false},
};

constexpr const DetailLedgerTraits& DetailLedgerOf(DetailLedgerKind kind) {
  return kDetailLedgerKinds[static_cast<int>(kind)];
}

// The file name the spreadsheet export proposes for an opening.
inline std::string ProposedFileName(const DetailLedgerTraits& traits, const DetailRequest& request) {
  return traits.file_name_from_caption ? request.caption : kSubjectDetailFilePrefix + request.long_name;
}

}  // namespace money
