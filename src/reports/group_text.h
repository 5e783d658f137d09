#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace money {

// The amount total of a group row: "合计 = " and the sum with at most two decimals, none forced. A
// negative sum keeps its sign after the words.
inline constexpr std::string_view kGroupTotalFormat = "合计 = #.##;合计 = -#.##";
inline constexpr std::string_view kSummarySeparator = ", ";

// The summaries of a group, each total written by its display format, joined by ", ".
std::string SummaryText(const std::vector<double>& totals, const std::vector<std::string>& formats);

// What a group row shows: the grouped column's caption and the group's value, then its summaries.
std::string GroupRowText(std::string_view caption, std::string_view value, std::string_view summary_text);

}  // namespace money
