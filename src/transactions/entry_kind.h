#pragma once

#include <optional>
#include <string_view>

namespace money {

// The kind of an entry, stored in `lb`.
enum class EntryKind { Income = 1, Expense = 2, Transfer = 3 };

int KindNumber(EntryKind kind);
// The class digit of the subjects an entry of this kind takes from and gives to.
char SourceClass(EntryKind kind);
char DestinationClass(EntryKind kind);
// Whether the source subject's balance grows (income) or shrinks (expense, transfer).
bool SourceIncreases(EntryKind kind);
// "income", "expense" or "transfer".
std::optional<EntryKind> ParseEntryKind(std::string_view name);

}  // namespace money
