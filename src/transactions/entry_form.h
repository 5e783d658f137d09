#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace money {

// The save checks of the entry and edit dialogs, in their order: source code, destination code, then the
// amount — read only when both codes are there; unreadable text stops with the conversion error, zero
// with the required-fields message. On success `amount` is the number to post.
struct SaveCheck {
  bool ok = false;
  std::string message;
  double amount = 0;
};
SaveCheck CheckEntrySave(std::string_view source_code, std::string_view destination_code,
                         std::string_view amount_text);

// The amount as the editor shows it after the operator leaves it: the number in SqlNumber form (12.50 ->
// 12.5); nothing when the text is not a number.
std::optional<std::string> NormalizedAmountText(std::string_view text);

// A stored amount as the edit dialog first shows it: fixed point, two decimals, no separators (120.50),
// rounded as the journal grid shows it.
std::string AmountForEditing(double amount);

struct DateParts {
  int year = 0;
  int month = 0;
  int day = 0;
};
// The parts of a date text "yyyy.MM.dd" (characters 1-4, 6-7, 9-10); nothing when they are not numbers.
std::optional<DateParts> SplitDateText(std::string_view text);
// The date text "yyyy.MM.dd" of a date.
std::string DateText(const DateParts& date);

}  // namespace money
