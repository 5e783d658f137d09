#pragma once

#include <string>
#include <string_view>

#include "reports/detail_request.h"
#include "reports/tree_query_texts.h"

namespace money {

// The dates of a period query as date texts "yyyy.MM.dd"; both ends are inclusive, and text order is date
// order. Nothing requires the start to come before the end: such a range selects nothing.
struct DateRange {
  std::string start;
  std::string end;

  bool operator==(const DateRange&) const = default;
};

// "期间发生数_ " + start + "-" + end: the window's caption and the proposed name of its text export.
std::string PeriodCaption(const DateRange& range);

// One row per subject of B_KM with posting lines in the range: kmbh, lmc, the parent code as the lines
// carry it, and ye, the sum of all its lines there (detail and ancestor lines alike), so each subject's
// net change over the range, its descendants included. Lines of a code missing from B_KM are left out.
std::string PeriodActivitySelect(const DateRange& range);

// The period detail ledger of a subject: the detail lines (mx=1) in the range of the subject and of every
// subject whose code begins with its code, newest first.
DetailRequest PeriodDetailRequest(const DateRange& range, std::string_view code, std::string_view long_name);

TreeQueryTexts PeriodQueryTexts(const DateRange& range);

}  // namespace money
