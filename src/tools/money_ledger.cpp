// money-ledger: the command-line companion of the household ledger. It makes new and sample ledgers,
// verifies the books, posts an entry as the entry dialogs would, and gives an operator a way back in.
#include <chrono>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "access/password_digest.h"
#include "storage/ledger_database.h"
#include "storage/ledger_file.h"
#include "storage/text_helpers.h"
#include "transactions/entry_input.h"
#include "transactions/entry_kind.h"
#include "transactions/ledger_check.h"
#include "transactions/posting_engine.h"
#include "transactions/sample_ledger.h"

namespace money {
namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsageError = 2;

constexpr const char* kProgram = "money-ledger";
constexpr const char* kHelpOption = "--help";
constexpr const char* kTraceOption = "--trace";
constexpr const char* kEntriesOption = "--entries";
constexpr long long kMostSampleEntries = 100'000'000;

constexpr const char* kUsage =
    "usage: money-ledger [--trace] COMMAND ARGUMENTS\n"
    "  money-ledger new FILE\n"
    "  money-ledger check FILE\n"
    "  money-ledger [--trace] post FILE KIND DATE SOURCE DESTINATION AMOUNT MEMO OPERATOR"
    "   (KIND: income|expense|transfer)\n"
    "  money-ledger reset-password FILE CODE\n"
    "  money-ledger sample FILE --entries N\n"
    "--trace prints every statement run on the ledger, one per line, in order.\n"
    "'money-ledger COMMAND --help' describes one command.\n";

constexpr const char* kNewHelp =
    "usage: money-ledger new FILE\n"
    "Creates a new ledger with its tables, seed rows and indexes. An existing FILE is never overwritten.\n";
constexpr const char* kCheckHelp =
    "usage: money-ledger check FILE\n"
    "Verifies the books: balances against their posting lines, the lines of every entry, the serial number\n"
    "counter, and the codes, parents, levels and long names of the chart. Prints every problem found and\n"
    "exits with status 1 if there is any.\n";
constexpr const char* kPostHelp =
    "usage: money-ledger [--trace] post FILE KIND DATE SOURCE DESTINATION AMOUNT MEMO OPERATOR\n"
    "Posts one entry as the entry dialogs do. KIND is income, expense or transfer; DATE is yyyy.MM.dd;\n"
    "SOURCE and DESTINATION are subject codes of the classes the kind takes (no class root); AMOUNT is a\n"
    "non-zero number; OPERATOR is the code of an operator. A refused entry writes nothing.\n";
constexpr const char* kResetPasswordHelp =
    "usage: money-ledger reset-password FILE CODE\n"
    "Gives the operator CODE an empty password, for a household that has forgotten it.\n";
constexpr const char* kSampleHelp =
    "usage: money-ledger sample FILE --entries N\n"
    "Creates a new ledger at FILE with a household chart of subjects and N entries of all kinds, posted\n"
    "through the posting engine. An existing FILE is refused.\n";

constexpr const char* kUnknownCommand = "unknown command '%1'";
constexpr const char* kMissingCommand = "no command given";
constexpr const char* kWrongArgumentCount = "'%1' takes %2 argument(s)";
constexpr const char* kMissingEntriesOption = "'sample' expects --entries N after FILE";
constexpr const char* kUnknownKind = "unknown entry kind '%1' (use income, expense or transfer)";
constexpr const char* kBadEntryCount = "the number of entries must be a whole number from 0 to 100000000, not '%1'";
constexpr const char* kCreated = "created the ledger %1";
constexpr const char* kSound = "the books are sound: %1 subjects, %2 entries, %3 posting lines";
constexpr const char* kRefused = "the entry was refused: %1";
constexpr const char* kCounterFailed = "the entry was not saved, the serial number counter could not be used: %1";
constexpr const char* kSaveFailed =
    "the entry was not saved (%1): nothing of it was kept, but its serial number %2 is used up and will not be "
    "given again";
constexpr const char* kPosted = "posted entry %1";
constexpr const char* kUnknownOperator = "no operator has the code '%1'";
constexpr const char* kPasswordReset = "operator %1 now has an empty password";
constexpr const char* kFileExists = "%1 exists already; a sample is always a new ledger";
constexpr const char* kSampleMade = "made the sample ledger %1 with %2 entries in %3 s";

int Fail(const std::string& message) {
  std::cerr << kProgram << ": " << message << '\n';
  return kFailure;
}

int UsageError(const std::string& message, const char* usage) {
  std::cerr << kProgram << ": " << message << '\n' << usage;
  return kUsageError;
}

using Arguments = std::vector<std::string>;

// The observer behind --trace.
void PrintStatement(std::string_view statement) { std::cout << statement << '\n'; }

// Opens an existing ledger; with tracing on, every statement run from then on is printed.
void OpenLedger(LedgerDatabase& database, const std::string& file, bool trace) {
  database.Open(file);
  if (trace) database.SetStatementObserver(PrintStatement);
}

long long CountOf(LedgerDatabase& database, const std::string& table) {
  return database.OpenQuery("select count(*) as n from " + table, {}).Integer("n");
}

int RunNew(const Arguments& arguments, bool) {
  CreateLedger(arguments[0]);
  std::cout << FillPattern(kCreated, {arguments[0]}) << '\n';
  return kSuccess;
}

int RunCheck(const Arguments& arguments, bool trace) {
  LedgerDatabase database;
  OpenLedger(database, arguments[0], trace);
  const std::vector<std::string> violations = CheckLedger(database);
  for (const std::string& violation : violations) std::cout << violation << '\n';
  if (!violations.empty()) return kFailure;
  std::cout << FillPattern(kSound,
                           {std::to_string(CountOf(database, "B_KM")), std::to_string(CountOf(database, "B_SZ")),
                            std::to_string(CountOf(database, "B_MX"))})
            << '\n';
  return kSuccess;
}

int RunPost(const Arguments& arguments, bool trace) {
  const std::optional<EntryKind> kind = ParseEntryKind(arguments[1]);
  if (!kind) return UsageError(FillPattern(kUnknownKind, {arguments[1]}), kPostHelp);
  LedgerDatabase database;
  OpenLedger(database, arguments[0], trace);
  const CheckedEntry checked = CheckEntryInput(
      database, EntryInput{*kind, arguments[2], arguments[3], arguments[4], arguments[5], arguments[6], arguments[7]});
  if (!checked.entry) return Fail(FillPattern(kRefused, {checked.problem}));
  const PostingResult result = PostEntry(database, *checked.entry);
  if (!result.ok && result.serial == 0) return Fail(FillPattern(kCounterFailed, {result.detail}));
  if (!result.ok) return Fail(FillPattern(kSaveFailed, {result.detail, std::to_string(result.serial)}));
  std::cout << FillPattern(kPosted, {std::to_string(result.serial)}) << '\n';
  return kSuccess;
}

int RunResetPassword(const Arguments& arguments, bool trace) {
  LedgerDatabase database;
  OpenLedger(database, arguments[0], trace);
  const std::string& code = arguments[1];
  // The digest of the code followed by an empty password.
  if (database.ExecuteOwn("update B_USER set UPSW=? where UID=?", {PasswordDigest(code), code}) == 0) {
    return Fail(FillPattern(kUnknownOperator, {code}));
  }
  std::cout << FillPattern(kPasswordReset, {code}) << '\n';
  return kSuccess;
}

std::optional<long long> EntryCount(const std::string& text) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return {};
  const long long count = std::stoll(text);
  if (count > kMostSampleEntries) return {};
  return count;
}

int RunSample(const Arguments& arguments, bool trace) {
  if (arguments[1] != kEntriesOption) return UsageError(kMissingEntriesOption, kSampleHelp);
  const std::optional<long long> entries = EntryCount(arguments[2]);
  if (!entries) return UsageError(FillPattern(kBadEntryCount, {arguments[2]}), kSampleHelp);
  std::error_code ignored;
  if (std::filesystem::exists(arguments[0], ignored)) return Fail(FillPattern(kFileExists, {arguments[0]}));

  SampleOptions options;
  options.entries = *entries;
  if (trace) options.observer = PrintStatement;
  const auto start = std::chrono::steady_clock::now();
  MakeSampleLedger(arguments[0], options);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::cout << FillPattern(kSampleMade, {arguments[0], std::to_string(*entries), std::to_string(took.count())}) << '\n';
  return kSuccess;
}

struct Command {
  const char* name;
  size_t arguments;
  const char* help;
  int (*run)(const Arguments&, bool trace);
};

constexpr Command kCommands[] = {
    {"new", 1, kNewHelp, RunNew},          {"check", 1, kCheckHelp, RunCheck},
    {"post", 8, kPostHelp, RunPost},       {"reset-password", 2, kResetPasswordHelp, RunResetPassword},
    {"sample", 3, kSampleHelp, RunSample},
};

int Run(Arguments arguments) {
  bool trace = false;
  if (!arguments.empty() && arguments.front() == kTraceOption) {
    trace = true;
    arguments.erase(arguments.begin());
  }
  if (arguments.empty()) return UsageError(kMissingCommand, kUsage);
  if (arguments.front() == kHelpOption) {
    std::cout << kUsage;
    return kSuccess;
  }
  for (const Command& command : kCommands) {
    if (arguments.front() != command.name) continue;
    const Arguments rest(arguments.begin() + 1, arguments.end());
    if (!rest.empty() && rest.front() == kHelpOption) {
      std::cout << command.help;
      return kSuccess;
    }
    if (rest.size() != command.arguments) {
      return UsageError(FillPattern(kWrongArgumentCount, {command.name, std::to_string(command.arguments)}),
                        command.help);
    }
    try {
      return command.run(rest, trace);
    } catch (const std::exception& error) {
      return Fail(error.what());
    }
  }
  return UsageError(FillPattern(kUnknownCommand, {arguments.front()}), kUsage);
}

}  // namespace
}  // namespace money

int main(int argc, char** argv) { return money::Run(money::Arguments(argv + 1, argv + argc)); }
