#include "access/grant_store.h"

#include "access/operator_store.h"
#include "storage/ledger_database.h"

namespace money {

std::vector<CommandGrant> ReadGrantableCommands(LedgerDatabase& database) {
  TableOptions options;
  options.filter = "is9999<>1 ";
  options.order_by = "gncode";
  std::vector<CommandGrant> commands;
  for (TableDataset catalogue = database.OpenTable("B_GN", options); !catalogue.Eof(); catalogue.Next()) {
    commands.push_back({catalogue.Text("gncode"), catalogue.Text("gnname"), false});
  }
  return commands;
}

void ShowGrants(LedgerDatabase& database, std::string_view operator_code, std::vector<CommandGrant>& grants) {
  QueryDataset stored = database.OpenQuery("select gnbh,istrue from B_USRGN where usrbh=? collate nocase",
                                           {std::string(operator_code)});
  for (CommandGrant& grant : grants) {
    grant.granted = stored.Locate("gnbh", grant.code, true) && stored.Integer("istrue") != 0;
  }
}

bool SaveGrants(LedgerDatabase& database, std::string_view operator_code, const std::vector<CommandGrant>& grants) {
  Transaction transaction(database);
  if (!FindOperator(database, operator_code)) return false;
  for (const CommandGrant& grant : grants) {
    const long long istrue = grant.granted ? 1 : 0;
    const long long updated = database.ExecuteOwn(
        "update B_USRGN set istrue=? where usrbh=? collate nocase and gnbh=? collate nocase",
        {istrue, std::string(operator_code), grant.code});
    if (updated == 0) {
      database.ExecuteOwn("insert into B_USRGN (usrbh,gnbh,istrue) values (?,?,?)",
                          {std::string(operator_code), grant.code, istrue});
    }
  }
  transaction.Commit();
  return true;
}

}  // namespace money
