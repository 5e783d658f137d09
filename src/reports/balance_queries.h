#pragma once

#include <string_view>

#include "reports/detail_request.h"
#include "reports/tree_query_texts.h"

namespace money {

// The balance query: every subject of the chart with its balance as B_KM keeps it, by code.
inline constexpr const char* kBalanceSelect = "select * from B_KM order by id";

// The subject detail ledger of a subject: the detail lines (mx=1) of the subject and of every subject
// whose code begins with its code, newest first, captioned "科目明细 _ " + long name.
DetailRequest SubjectDetailRequest(std::string_view code, std::string_view long_name);

// The balance query window's texts: caption and export name "科目余额查询".
TreeQueryTexts BalanceQueryTexts();

}  // namespace money
