#include "reports/balance_queries.h"

#include <string>

#include "storage/sql_text.h"

namespace money {
namespace {

constexpr const char* kBalanceCaption = "科目余额查询";
constexpr const char* kDetailCaption = "科目明细 _ ";
constexpr const char* kDetailSelect = "select * from B_MX where mx=1 and kmbh like ";
constexpr const char* kTotalsSelect = "select count(*) as ct,sum(je) as sumje from B_MX where mx=1 and kmbh like ";
constexpr const char* kNewestFirst = "  order by lsh desc";

}  // namespace

DetailRequest SubjectDetailRequest(std::string_view code, std::string_view long_name) {
  const std::string pattern = QuoteSql(std::string(code) + "%");
  return {kDetailCaption + std::string(long_name), kDetailSelect + pattern + kNewestFirst, kTotalsSelect + pattern,
          std::string(long_name)};
}

TreeQueryTexts BalanceQueryTexts() { return {kBalanceCaption, kBalanceSelect, kBalanceCaption, SubjectDetailRequest}; }

}  // namespace money
