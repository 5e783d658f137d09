#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace money {

class LedgerDatabase;

// One command of the catalogue that can be granted, with the mark the operator window shows for it.
struct CommandGrant {
  std::string code;  // gncode
  std::string name;  // gnname
  bool granted = false;

  bool operator==(const CommandGrant&) const = default;
};

// The commands of B_GN that are not reserved to the administrator, in gncode order, all unmarked.
std::vector<CommandGrant> ReadGrantableCommands(LedgerDatabase& database);

// Sets every mark to the operator's stored grant (operator and command codes compared ignoring letter
// case). A command for which the operator has no grant row shows unmarked, as the login disables it: it
// does not keep the mark of the operator shown before, which a save would then grant.
void ShowGrants(LedgerDatabase& database, std::string_view operator_code, std::vector<CommandGrant>& grants);

// Stores the marks as the operator's grants in one transaction: a grant row that exists takes its mark, a
// missing one is added. Writes nothing and returns false when no operator has that code (none chosen, or
// deleted meanwhile). Throws DatabaseError, having rolled back.
bool SaveGrants(LedgerDatabase& database, std::string_view operator_code, const std::vector<CommandGrant>& grants);

}  // namespace money
