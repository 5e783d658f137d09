#include "reports/period_queries.h"

#include "storage/sql_text.h"

namespace money {
namespace {

constexpr const char* kPeriodCaption = "期间发生数_ ";
constexpr const char* kDetailCaption = "期间发生数明细_";
constexpr const char* kActivitySelect =
    "select kmbh,lmc,a.parentid,sum(je) as ye from B_MX a,B_KM b where a.kmbh=b.id and ymd>=";
constexpr const char* kActivityGroups = " group by kmbh,lmc,a.parentid";
constexpr const char* kDetailSelect = "select * from B_MX where mx=1 and ymd>=";
constexpr const char* kTotalsSelect = "select count(*) as ct,sum(je) as sumje from B_MX where mx=1 and ymd>=";
constexpr const char* kRangeEnd = " and ymd<=";
constexpr const char* kCodeLike = " and kmbh like ";
constexpr const char* kNewestFirst = "  order by lsh desc";

std::string RangeText(const DateRange& range) { return range.start + "-" + range.end; }

// "'2005.03.01' and ymd<='2005.03.15'": the range as the statements compare the line dates with it.
std::string RangeCondition(const DateRange& range) { return QuoteSql(range.start) + kRangeEnd + QuoteSql(range.end); }

}  // namespace

std::string PeriodCaption(const DateRange& range) { return kPeriodCaption + RangeText(range); }

std::string PeriodActivitySelect(const DateRange& range) {
  return kActivitySelect + RangeCondition(range) + kActivityGroups;
}

DetailRequest PeriodDetailRequest(const DateRange& range, std::string_view code, std::string_view long_name) {
  const std::string condition = RangeCondition(range) + kCodeLike + QuoteSql(std::string(code) + "%");
  return {kDetailCaption + std::string(long_name) + "_" + RangeText(range), kDetailSelect + condition + kNewestFirst,
          kTotalsSelect + condition, ""};
}

TreeQueryTexts PeriodQueryTexts(const DateRange& range) {
  const std::string caption = PeriodCaption(range);
  return {caption, PeriodActivitySelect(range), caption, [range](std::string_view code, std::string_view long_name) {
            return PeriodDetailRequest(range, code, long_name);
          }};
}

}  // namespace money
