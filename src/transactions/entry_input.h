#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "transactions/posting_engine.h"

namespace money {

class LedgerDatabase;

// The text (blanks trimmed) read as a finite decimal number; nothing when it is not one.
std::optional<double> ReadNumber(std::string_view text);
// The amount as typed, read as a number; nothing when it is not a finite, non-zero number.
std::optional<double> ParseAmount(std::string_view text);
// Whether the text is a real calendar date written "yyyy.MM.dd".
bool IsDateText(std::string_view text);

// An entry typed outside the dialogs (the companion tool): checked as the dialogs check it, then
// completed with the subjects' levels and the operator's name. On refusal, `problem` says why.
struct EntryInput {
  EntryKind kind = EntryKind::Income;
  std::string date;
  std::string source;
  std::string destination;
  std::string amount;
  std::string memo;
  std::string operator_code;
};

struct CheckedEntry {
  std::optional<NewEntry> entry;
  std::string problem;
};

CheckedEntry CheckEntryInput(LedgerDatabase& database, const EntryInput& input);

}  // namespace money
