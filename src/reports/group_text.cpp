#include "reports/group_text.h"

#include <stdexcept>

#include "reports/display_format.h"

namespace money {

std::string SummaryText(const std::vector<double>& totals, const std::vector<std::string>& formats) {
  if (totals.size() != formats.size()) throw std::invalid_argument("one format per summary total");
  std::string text;
  for (size_t i = 0; i < totals.size(); ++i) {
    if (i > 0) text += kSummarySeparator;
    text += FormatNumber(totals[i], formats[i]);
  }
  return text;
}

std::string GroupRowText(std::string_view caption, std::string_view value, std::string_view summary_text) {
  std::string text = std::string(caption) + " : " + std::string(value);
  if (!summary_text.empty()) text += "  " + std::string(summary_text);
  return text;
}

}  // namespace money
