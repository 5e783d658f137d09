#include "access/grants.h"

#include "storage/ledger_database.h"
#include "storage/sql_text.h"

namespace money {
namespace {

// The catalogue opened by its index "GNBT", with or without the filter of the reserved commands.
TableDataset OpenCatalogue(LedgerDatabase& database, bool reserved_only) {
  TableOptions options;
  options.order_by = "btName";
  if (reserved_only) options.filter = "is9999=1 ";
  return database.OpenTable("B_GN", options);
}

}  // namespace

std::string OperatorGrantsQuery(std::string_view operator_code) {
  return "select a.*,b.* from B_USRGN a,B_GN b where a.gnbh=b.gncode and a.usrbh=" + QuoteSql(operator_code);
}

void ForEachGrantDecision(LedgerDatabase& database, std::string_view operator_code,
                          const std::function<void(const GrantDecision&)>& apply) {
  for (TableDataset catalogue = OpenCatalogue(database, false); !catalogue.Eof(); catalogue.Next()) {
    apply({catalogue.Text("btName"), false});
  }
  for (QueryDataset grants = database.OpenQuery(OperatorGrantsQuery(operator_code)); !grants.Eof(); grants.Next()) {
    apply({grants.Text("btName"), grants.Integer("istrue") != 0});
  }
  const bool administrator = operator_code == kAdministratorCode;
  for (TableDataset reserved = OpenCatalogue(database, true); !reserved.Eof(); reserved.Next()) {
    apply({reserved.Text("btName"), reserved.Integer("is9999") != 0 && administrator});
  }
}

}  // namespace money
