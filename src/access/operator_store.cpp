#include "access/operator_store.h"

#include <algorithm>

#include "access/grant_store.h"
#include "access/grants.h"
#include "access/login_check.h"
#include "access/password_digest.h"
#include "storage/ledger_database.h"
#include "storage/sql_text.h"

namespace money {
namespace {

constexpr size_t kCodeDigits = 4;

OperatorRow OperatorOfRow(const QueryDataset& row) { return {row.Text("UID"), row.Text("UNAME"), row.Text("UPSW")}; }

}  // namespace

std::vector<OperatorRow> ReadOperators(LedgerDatabase& database) {
  std::vector<OperatorRow> operators;
  for (QueryDataset rows = database.OpenQuery(kOperatorListQuery); !rows.Eof(); rows.Next()) {
    operators.push_back(OperatorOfRow(rows));
  }
  return operators;
}

std::optional<OperatorRow> FindOperator(LedgerDatabase& database, std::string_view code) {
  QueryDataset row = database.OpenQuery("select UID,UNAME,UPSW from B_USER where UID=? collate nocase order by UID",
                                        {std::string(code)});
  if (row.Eof()) return std::nullopt;
  return OperatorOfRow(row);
}

OperatorInputProblem CheckOperatorInput(std::string_view code, std::string_view name) {
  const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
  const auto digits = static_cast<size_t>(std::count_if(code.begin(), code.end(), is_digit));
  if (digits == 0 || name.empty()) return OperatorInputProblem::kMissing;
  if (digits != kCodeDigits || code.size() != kCodeDigits) return OperatorInputProblem::kInvalidCode;
  return OperatorInputProblem::kNone;
}

OperatorSaved AddOrRenameOperator(LedgerDatabase& database, std::string_view code, std::string_view name) {
  Transaction transaction(database);
  if (const std::optional<OperatorRow> found = FindOperator(database, code)) {
    database.ExecuteOwn("update B_USER set UNAME=? where UID=?", {std::string(name), found->code});
    transaction.Commit();
    return OperatorSaved::kRenamed;
  }
  database.ExecuteOwn("insert into B_USER (UID,UNAME,UPSW) values (?,?,?)",
                      {std::string(code), std::string(name), PasswordDigest(code)});
  // Rows under this code belong to no operator: the new one starts from its own refusals only.
  database.ExecuteOwn("delete from B_USRGN where usrbh=?", {std::string(code)});
  for (const CommandGrant& command : ReadGrantableCommands(database)) {
    database.ExecuteOwn("insert into B_USRGN (usrbh,gnbh,istrue) values (?,?,0)", {std::string(code), command.code});
  }
  transaction.Commit();
  return OperatorSaved::kAdded;
}

OperatorDeleted DeleteOperator(LedgerDatabase& database, std::string_view code) {
  if (code == kAdministratorCode) return OperatorDeleted::kAdministrator;
  Transaction transaction(database);
  const std::optional<OperatorRow> found = FindOperator(database, code);
  if (!found) return OperatorDeleted::kNotFound;
  database.ExecuteOwn("delete from B_USER where UID=?", {found->code});
  database.Execute("Delete from B_USRGN where usrbh = " + QuoteSql(code));
  transaction.Commit();
  return OperatorDeleted::kDeleted;
}

bool ClearPassword(LedgerDatabase& database, std::string_view code) {
  const std::optional<OperatorRow> found = FindOperator(database, code);
  if (!found) return false;
  return database.ExecuteOwn("update B_USER set UPSW=? where UID=?", {PasswordDigest(code), found->code}) > 0;
}

}  // namespace money
