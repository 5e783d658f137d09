#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace money {

class LedgerDatabase;

// One row of B_USER as the operator windows use it.
struct OperatorRow {
  std::string code;    // UID
  std::string name;    // UNAME
  std::string digest;  // UPSW as stored

  bool operator==(const OperatorRow&) const = default;
};

// Every operator, in UID order, read with the login's operator query.
std::vector<OperatorRow> ReadOperators(LedgerDatabase& database);

// The first operator (in UID order) whose code equals `code` ignoring letter case.
std::optional<OperatorRow> FindOperator(LedgerDatabase& database, std::string_view code);

enum class OperatorInputProblem { kNone, kMissing, kInvalidCode };

// What keeps a typed code and name from being stored: a code without a digit or an empty name, then a
// code that is not four digits (the code box's own refusal).
OperatorInputProblem CheckOperatorInput(std::string_view code, std::string_view name);

enum class OperatorSaved { kRenamed, kAdded };

// Renames the operator of that code (found ignoring letter case), keeping its password and grants. An
// unknown code becomes a new operator in one transaction: its digest is that of the code and an empty
// password, and it holds a refused grant row for every grantable command (grant rows left behind under
// its code are replaced). Throws DatabaseError, having rolled back.
OperatorSaved AddOrRenameOperator(LedgerDatabase& database, std::string_view code, std::string_view name);

enum class OperatorDeleted { kDeleted, kAdministrator, kNotFound };

// Deletes the operator and all its grant rows in one transaction, without touching the journal entries
// that carry its code. The administrator "9999" is never deleted. Throws DatabaseError, having rolled back.
OperatorDeleted DeleteOperator(LedgerDatabase& database, std::string_view code);

// Gives the operator the digest of its code and an empty password; false when there is no such operator.
bool ClearPassword(LedgerDatabase& database, std::string_view code);

}  // namespace money
