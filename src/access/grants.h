#pragma once

#include <functional>
#include <string>
#include <string_view>

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

// Hands the steps of ApplyGrants for an operator to `apply` as each is read, in order (a later step on
// the same button wins): every catalogue row of B_GN disables its button; every grant row of the
// operator enables or disables its button as `istrue` says; every row reserved to the administrator
// enables its button for the code "9999" exactly and disables it for everyone else. Throws
// DatabaseError; the steps handed over before the failure stand, so a failed read after the first pass
// leaves the catalogued commands disabled, never enabled.
void ForEachGrantDecision(LedgerDatabase& database, std::string_view operator_code,
                          const std::function<void(const GrantDecision&)>& apply);

}  // namespace money
