#include "transactions/entry_form.h"

#include <cstdio>

#include "reports/display_format.h"
#include "storage/sql_text.h"
#include "subjects/subject_codes.h"
#include "transactions/entry_input.h"
#include "transactions/entry_messages.h"

namespace money {

namespace {

// Amounts as the journal grid shows them.
constexpr const char* kEditingAmountFormat = "0.00";

std::optional<int> Digits(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

SaveCheck CheckEntrySave(std::string_view source_code, std::string_view destination_code,
                         std::string_view amount_text) {
  // A code of blanks only is as missing as an empty one: no subject has it.
  if (Trimmed(source_code).empty() || Trimmed(destination_code).empty()) return {false, kRequiredFieldsMissing, 0};
  const std::optional<double> amount = ReadNumber(amount_text);
  if (!amount) return {false, InvalidNumberMessage(amount_text), 0};
  if (*amount == 0) return {false, kRequiredFieldsMissing, 0};
  return {true, {}, *amount};
}

std::optional<std::string> NormalizedAmountText(std::string_view text) {
  const std::optional<double> amount = ReadNumber(text);
  if (!amount) return std::nullopt;
  return SqlNumber(*amount);
}

std::string AmountForEditing(double amount) {
  // The journal grid's rounding, so the dialog opens on the amount the operator chose in the grid.
  return FormatNumber(amount, kEditingAmountFormat);
}

std::optional<DateParts> SplitDateText(std::string_view text) {
  if (text.size() < 10) return std::nullopt;
  const auto year = Digits(text.substr(0, 4));
  const auto month = Digits(text.substr(5, 2));
  const auto day = Digits(text.substr(8, 2));
  if (!year || !month || !day) return std::nullopt;
  return DateParts{*year, *month, *day};
}

std::string DateText(const DateParts& date) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d.%02d.%02d", date.year, date.month, date.day);
  return buffer;
}

}  // namespace money
