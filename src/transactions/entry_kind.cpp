#include "transactions/entry_kind.h"

namespace money {

int KindNumber(EntryKind kind) { return static_cast<int>(kind); }

char SourceClass(EntryKind kind) { return kind == EntryKind::Income ? '1' : '3'; }

char DestinationClass(EntryKind kind) { return kind == EntryKind::Expense ? '2' : '3'; }

bool SourceIncreases(EntryKind kind) { return kind == EntryKind::Income; }

std::optional<EntryKind> ParseEntryKind(std::string_view name) {
  if (name == "income") return EntryKind::Income;
  if (name == "expense") return EntryKind::Expense;
  if (name == "transfer") return EntryKind::Transfer;
  return std::nullopt;
}

}  // namespace money
