#pragma once

#include <functional>
#include <string>

namespace money {

// What an opener hands to a detail ledger before showing it: the caption, the text of the query of its
// lines, the text of the query of their count and sum, and (subject detail ledger only) the subject's
// long name for the proposed file name.
struct DetailRequest {
  std::string caption;
  std::string detail_query;
  std::string totals_query;
  std::string long_name;

  bool operator==(const DetailRequest&) const = default;
};

// Shows a detail ledger modally for a request; returns when the operator has closed it.
using ShowDetailLedger = std::function<void(const DetailRequest&)>;

}  // namespace money
