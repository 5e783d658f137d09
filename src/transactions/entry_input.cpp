#include "transactions/entry_input.h"

#include <charconv>
#include <cmath>

#include "storage/ledger_database.h"
#include "storage/text_helpers.h"
#include "subjects/subject_codes.h"
#include "transactions/entry_form.h"
#include "subjects/subject_store.h"

namespace money {

namespace {

constexpr const char* kBadDateProblem = "the date '%1' is not a calendar date written yyyy.MM.dd";
constexpr const char* kMissingSubjectProblem = "the %2 subject is missing";
constexpr const char* kUnknownSubjectProblem = "no subject has the code '%1' (given as the %2 subject)";
constexpr const char* kClassRootProblem = "the %2 subject '%1' is a class root; entries go to the subjects below it";
constexpr const char* kWrongClassProblem = "the %2 subject '%1' is not of the class this kind of entry takes (%3)";
constexpr const char* kBadAmountProblem = "the amount '%1' is not a non-zero number";
constexpr const char* kUnknownOperatorProblem = "no operator has the code '%1'";

constexpr const char* kSourceRole = "source";
constexpr const char* kDestinationRole = "destination";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view text, size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// Whether the whole text is a decimal number: sign, digits, fraction, exponent; at least one digit.
bool IsDecimalNumber(std::string_view text) {
  size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const size_t integer_end = SkipDigits(text, at);
  size_t digits = integer_end - at;
  at = integer_end;
  if (at < text.size() && text[at] == '.') {
    const size_t fraction_end = SkipDigits(text, at + 1);
    digits += fraction_end - at - 1;
    at = fraction_end;
  }
  if (digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const size_t exponent_end = SkipDigits(text, at);
    if (exponent_end == at) return false;
    at = exponent_end;
  }
  return at == text.size();
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

const char* ClassName(char subject_class) {
  switch (subject_class) {
    case '1':
      return "income";
    case '2':
      return "expense";
    default:
      return "savings";
  }
}

struct SideCheck {
  std::optional<EntrySide> side;
  std::string problem;
};

SideCheck CheckSide(LedgerDatabase& database, std::string_view typed, char wanted_class, const char* role) {
  const std::string code = Trimmed(typed);
  if (code.empty()) return {std::nullopt, FillPattern(kMissingSubjectProblem, {std::string(), role})};
  const std::optional<Subject> subject = FindSubject(database, code);
  if (!subject) return {std::nullopt, FillPattern(kUnknownSubjectProblem, {code, role})};
  if (ClassOfCode(code) != wanted_class) {
    return {std::nullopt, FillPattern(kWrongClassProblem, {code, role, ClassName(wanted_class)})};
  }
  if (LevelOfCode(code) <= 1) return {std::nullopt, FillPattern(kClassRootProblem, {code, role})};
  return {EntrySide{code, subject->js}, {}};
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text) {
  const std::string trimmed = Trimmed(text);
  if (!IsDecimalNumber(trimmed)) return std::nullopt;
  // from_chars takes no plus sign and ignores the locale, so a decimal point is always ".".
  std::string_view digits = trimmed;
  if (digits.front() == '+') digits.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> ParseAmount(std::string_view text) {
  const std::optional<double> value = ReadNumber(text);
  if (!value || *value == 0) return std::nullopt;
  return value;
}

bool IsDateText(std::string_view text) {
  if (text.size() != 10 || text[4] != '.' || text[7] != '.') return false;
  const std::optional<DateParts> date = SplitDateText(text);
  return date && date->year >= 1 && date->month >= 1 && date->month <= 12 && date->day >= 1 &&
         date->day <= DaysInMonth(date->year, date->month);
}

CheckedEntry CheckEntryInput(LedgerDatabase& database, const EntryInput& input) {
  if (!IsDateText(input.date)) return {std::nullopt, FillPattern(kBadDateProblem, {input.date})};
  const SideCheck source = CheckSide(database, input.source, SourceClass(input.kind), kSourceRole);
  if (!source.side) return {std::nullopt, source.problem};
  const SideCheck destination = CheckSide(database, input.destination, DestinationClass(input.kind), kDestinationRole);
  if (!destination.side) return {std::nullopt, destination.problem};
  const std::optional<double> amount = ParseAmount(input.amount);
  if (!amount) return {std::nullopt, FillPattern(kBadAmountProblem, {input.amount})};
  QueryDataset user = database.OpenQuery("select UNAME from B_USER where UID=?", {input.operator_code});
  if (user.Eof()) return {std::nullopt, FillPattern(kUnknownOperatorProblem, {input.operator_code})};

  return {NewEntry{input.kind, input.date, *source.side, *destination.side, *amount, input.memo, input.operator_code,
                   user.Text("UNAME")},
          {}};
}

}  // namespace money
