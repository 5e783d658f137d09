#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace money {

class LedgerDatabase;

// The operator for whom the commands reserved to the administrator are enabled.
inline constexpr std::string_view kAdministratorCode = "9999";

// One step of ApplyGrants: enable or disable the command button whose component name is `bt_name`.
struct GrantDecision {
  std::string bt_name;
  bool enabled = false;

  bool operator==(const GrantDecision&) const = default;
};

// The statement of the second pass: the operator's grant rows joined with their catalogue rows.
std::string OperatorGrantsQuery(std::string_view operator_code);

// The steps of ApplyGrants for an operator, in the order they are applied (a later step on the same
// button wins): every catalogue row of B_GN disables its button; every grant row of the operator
// enables or disables its button as `istrue` says; every row reserved to the administrator enables its
// button for the code "9999" exactly and disables it for everyone else. Throws DatabaseError.
std::vector<GrantDecision> GrantDecisions(LedgerDatabase& database, std::string_view operator_code);

}  // namespace money
