#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "reports/detail_request.h"

namespace money {

// What a subject tree query window asks and how it names things: its caption, the text of its query,
// the proposed name of its text export, and the hand-over to the detail ledger for the focused subject's
// code and long name (both empty on an empty tree).
struct TreeQueryTexts {
  std::string caption;
  std::string select_text;
  std::string export_name;
  std::function<DetailRequest(std::string_view code, std::string_view long_name)> detail_request;
};

}  // namespace money
