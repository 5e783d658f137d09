#include "transactions/ledger_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "storage/ledger_database.h"
#include "storage/sql_text.h"
#include "storage/text_helpers.h"
#include "subjects/subject_codes.h"
#include "transactions/entry_input.h"
#include "transactions/entry_kind.h"

namespace money {

namespace {

// A broken ledger can break the same rule millions of times; the first few of each kind say enough.
constexpr size_t kShownPerKind = 20;

// Balances are running sums of doubles, so they differ from a careful sum of their lines by rounding.
// On a million-entry ledger that rounding stays below 3e-14 of the amounts involved.
constexpr double kBalanceTolerance = 1e-10;

enum class Finding {
  kSubject,
  kBalance,
  kEntry,
  kOrphanLines,
  kLineFields,
  kDetailLines,
  kAncestorLines,
  kLineAmounts,
  kCounter,
  kCount
};

constexpr std::array<const char*, static_cast<size_t>(Finding::kCount)> kFindingNames = {
    "subject",     "balance",       "entry",       "orphan line", "line field",
    "detail line", "ancestor line", "line amount", "counter"};

constexpr const char* kMoreFindings = "... and %1 more %2 problems";
constexpr const char* kMalformedCode =
    "subject '%1': the code is not 3n-2 digits (n from 1 to 7) beginning with 1, 2 or 3";
constexpr const char* kRootWithParent = "subject '%1': a class root names the parent '%2'";
constexpr const char* kWrongParent = "subject '%1': its parent code is '%2', expected '%3'";
constexpr const char* kMissingParent = "subject '%1': its parent '%2' is not in the chart";
constexpr const char* kWrongLevel = "subject '%1': its level is %2, expected %3";
constexpr const char* kWrongLongName = "subject '%1': its long name is '%2', expected '%3'";
constexpr const char* kMissingRoot = "class root '%1' is missing from the chart";
constexpr const char* kWrongBalance = "subject '%1' (%2): balance %3, but its posting lines sum to %4";
constexpr const char* kUnknownLineSubject = "posting lines name the subject '%1', which is not in the chart";
constexpr const char* kBadKind = "entry %1: its kind is %2, not 1, 2 or 3";
constexpr const char* kBadDate = "entry %1: its date '%2' is not a calendar date written yyyy.MM.dd";
constexpr const char* kBadSubject = "entry %1: its %2 subject '%3' %4";
constexpr const char* kNotInChart = "is not in the chart";
constexpr const char* kClassRoot = "is a class root";
constexpr const char* kWrongClass = "is not of the class its kind takes";
constexpr const char* kNoLines = "entry %1 has no posting lines";
constexpr const char* kOrphanLines = "%2 posting line(s) with serial number %1 have no journal entry";
constexpr const char* kLineFieldsDiffer =
    "entry %1: the line of subject '%2' has date/operator/kind %3, the entry has %4";
constexpr const char* kLineParentDiffers = "entry %1: the line of subject '%2' names the parent '%3', expected '%4'";
constexpr const char* kDetailLinesDiffer = "entry %1: its detail lines (mx=1) are on [%2], expected on [%3]";
constexpr const char* kAncestorLinesDiffer = "entry %1: its ancestor lines (mx=0) are on [%2], expected on [%3]";
constexpr const char* kLineAmountDiffers = "entry %1 (amount %2): the line of subject '%3' carries %4, expected %5";
constexpr const char* kMissingCounter = "the serial number counter row (B_LSH id 1) is missing";
constexpr const char* kCounterTooLow = "the serial number counter is %1, below the greatest serial number %2";

// An aggregate: one row whatever the table holds.
constexpr const char* kSnapshotHolder = "select count(*) from B_LSH";

constexpr const char* kSourceRole = "source";
constexpr const char* kDestinationRole = "destination";

std::string Amount(double value) { return std::isfinite(value) ? SqlNumber(value) : std::to_string(value); }

class Findings {
 public:
  void Add(Finding finding, std::string_view pattern, const std::vector<std::string>& values) {
    Group& group = groups_[static_cast<size_t>(finding)];
    if (group.shown.size() < kShownPerKind) group.shown.push_back(FillPattern(pattern, values));
    ++group.total;
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (size_t i = 0; i < groups_.size(); ++i) {
      const Group& group = groups_[i];
      lines.insert(lines.end(), group.shown.begin(), group.shown.end());
      if (group.total > group.shown.size()) {
        lines.push_back(
            FillPattern(kMoreFindings, {std::to_string(group.total - group.shown.size()), kFindingNames[i]}));
      }
    }
    return lines;
  }

 private:
  struct Group {
    std::vector<std::string> shown;
    size_t total = 0;
  };
  std::array<Group, static_cast<size_t>(Finding::kCount)> groups_;
};

// Keeps the connection in one read transaction while it lives. SQLite holds a connection's read snapshot
// as long as any of its statements stands on a row, and every statement run meanwhile reads that same
// snapshot: so the chart, the journal and the counter are read as of one moment, whatever another
// process commits during the check.
class ReadSnapshot {
 public:
  explicit ReadSnapshot(LedgerDatabase& database) : holder_(database.PrepareRead(kSnapshotHolder, true)) {
    holder_.Step();
  }

 private:
  Statement holder_;
};

struct ChartRow {
  std::string parentid;
  std::string mc;
  long long js = 0;
  double ye = 0;
  std::string lmc;
};

using Chart = std::map<std::string, ChartRow>;

// A running sum that keeps the low-order bits a plain double sum loses (Neumaier's summation).
struct LineTotal {
  double sum = 0;
  double compensation = 0;
  double magnitude = 0;

  void Add(double value) {
    const double next = sum + value;
    compensation += std::fabs(sum) >= std::fabs(value) ? (sum - next) + value : (value - next) + sum;
    sum = next;
    magnitude += std::fabs(value);
  }
  double Value() const { return sum + compensation; }
};

struct Entry {
  long long lsh = 0;
  std::string ymd;
  std::string kmbhs;
  std::string kmbhd;
  double je = 0;
  std::string uid;
  long long lb = 0;
};

struct Line {
  std::string ymd;
  std::string kmbh;
  std::string parentid;
  double je = 0;
  std::string uid;
  long long lb = 0;
  long long mx = 0;
};

// (subject code, mx, signed amount): what one line must be.
using LineShape = std::tuple<std::string, long long, double>;

Chart ReadChart(LedgerDatabase& database) {
  Chart chart;
  Statement rows = database.PrepareRead("select id,parentid,mc,js,ye,lmc from B_KM order by id", true);
  while (rows.Step()) {
    chart[rows.Text(0)] = ChartRow{rows.Text(1), rows.Text(2), rows.Integer(3), rows.Double(4), rows.Text(5)};
  }
  return chart;
}

void CheckChart(const Chart& chart, Findings& findings) {
  for (const char* root : {"1", "2", "3"}) {
    if (!chart.contains(root)) findings.Add(Finding::kSubject, kMissingRoot, {root});
  }
  for (const auto& [id, row] : chart) {
    if (!IsWellFormedCode(id)) {
      findings.Add(Finding::kSubject, kMalformedCode, {id});
      continue;
    }
    const std::string level = std::to_string(LevelOfCode(id));
    if (row.js != LevelOfCode(id)) findings.Add(Finding::kSubject, kWrongLevel, {id, std::to_string(row.js), level});
    if (LevelOfCode(id) == 1) {
      if (!row.parentid.empty()) findings.Add(Finding::kSubject, kRootWithParent, {id, row.parentid});
      continue;
    }
    const std::string parent_code = ParentCode(id);
    if (row.parentid != parent_code) {
      findings.Add(Finding::kSubject, kWrongParent, {id, row.parentid, parent_code});
    }
    const auto parent = chart.find(parent_code);
    if (parent == chart.end()) {
      findings.Add(Finding::kSubject, kMissingParent, {id, parent_code});
      continue;
    }
    const std::string long_name = ChildLongName(parent->second.lmc, row.mc);
    if (row.lmc != long_name) findings.Add(Finding::kSubject, kWrongLongName, {id, row.lmc, long_name});
  }
}

void CheckBalances(const Chart& chart, const std::unordered_map<std::string, LineTotal>& totals, Findings& findings) {
  for (const auto& [id, row] : chart) {
    const auto total = totals.find(id);
    const LineTotal lines = total == totals.end() ? LineTotal{} : total->second;
    const double tolerance = kBalanceTolerance * std::max({1.0, lines.magnitude, std::fabs(row.ye)});
    if (!(std::fabs(row.ye - lines.Value()) <= tolerance)) {
      findings.Add(Finding::kBalance, kWrongBalance, {id, row.mc, Amount(row.ye), Amount(lines.Value())});
    }
  }
  for (const auto& [code, total] : totals) {
    if (!chart.contains(code)) findings.Add(Finding::kBalance, kUnknownLineSubject, {code});
  }
}

std::string Joined(const std::vector<std::string>& codes) {
  std::string text;
  for (const std::string& code : codes) text += (text.empty() ? "" : ", ") + code;
  return text;
}

std::string FieldsOf(const std::string& ymd, const std::string& uid, long long lb) {
  return ymd + "/" + uid + "/" + std::to_string(lb);
}

// Checks one entry against the lines that carry its serial number.
class EntryChecker {
 public:
  EntryChecker(const Chart& chart, Findings& findings) : chart_(chart), findings_(findings) {}

  void Check(const Entry& entry, const std::vector<Line>& lines) {
    const std::string serial = std::to_string(entry.lsh);
    if (entry.lb < 1 || entry.lb > 3) {
      findings_.Add(Finding::kEntry, kBadKind, {serial, std::to_string(entry.lb)});
      return;
    }
    const auto kind = static_cast<EntryKind>(entry.lb);
    if (!IsDateText(entry.ymd)) findings_.Add(Finding::kEntry, kBadDate, {serial, entry.ymd});
    const bool source_ok = CheckSubject(serial, kSourceRole, entry.kmbhs, SourceClass(kind));
    const bool destination_ok = CheckSubject(serial, kDestinationRole, entry.kmbhd, DestinationClass(kind));
    if (lines.empty()) {
      findings_.Add(Finding::kEntry, kNoLines, {serial});
      return;
    }
    CheckLineFields(entry, serial, lines);
    if (source_ok && destination_ok) CheckLineShapes(entry, kind, serial, lines);
  }

 private:
  // Whether the code is usable for working out the entry's lines; reports what is wrong with it.
  bool CheckSubject(const std::string& serial, const char* role, const std::string& code, char wanted_class) {
    if (!IsWellFormedCode(code) || !chart_.contains(code)) {
      findings_.Add(Finding::kEntry, kBadSubject, {serial, role, code, kNotInChart});
      return IsWellFormedCode(code);
    }
    if (LevelOfCode(code) == 1) findings_.Add(Finding::kEntry, kBadSubject, {serial, role, code, kClassRoot});
    if (ClassOfCode(code) != wanted_class) {
      findings_.Add(Finding::kEntry, kBadSubject, {serial, role, code, kWrongClass});
    }
    return true;
  }

  void CheckLineFields(const Entry& entry, const std::string& serial, const std::vector<Line>& lines) {
    for (const Line& line : lines) {
      if (line.ymd != entry.ymd || line.uid != entry.uid || line.lb != entry.lb) {
        findings_.Add(
            Finding::kLineFields, kLineFieldsDiffer,
            {serial, line.kmbh, FieldsOf(line.ymd, line.uid, line.lb), FieldsOf(entry.ymd, entry.uid, entry.lb)});
        break;
      }
    }
    for (const Line& line : lines) {
      const std::string parent_code = ParentCode(line.kmbh);
      if (line.parentid != parent_code) {
        findings_.Add(Finding::kLineFields, kLineParentDiffers, {serial, line.kmbh, line.parentid, parent_code});
        break;
      }
    }
  }

  void AddSide(const std::string& code, double change) {
    const std::vector<std::string> chain = AncestorChain(code);
    expected_detail_.push_back(chain.front());
    expected_shapes_.emplace_back(chain.front(), 1, change);
    for (size_t i = 1; i < chain.size(); ++i) {
      expected_ancestors_.push_back(chain[i]);
      expected_shapes_.emplace_back(chain[i], 0, change);
    }
  }

  void CheckLineShapes(const Entry& entry, EntryKind kind, const std::string& serial, const std::vector<Line>& lines) {
    expected_detail_.clear();
    expected_ancestors_.clear();
    expected_shapes_.clear();
    AddSide(entry.kmbhs, SourceIncreases(kind) ? entry.je : -entry.je);
    AddSide(entry.kmbhd, entry.je);

    detail_.clear();
    ancestors_.clear();
    shapes_.clear();
    for (const Line& line : lines) {
      (line.mx == 1 ? detail_ : ancestors_).push_back(line.kmbh);
      shapes_.emplace_back(line.kmbh, line.mx, line.je);
    }
    for (auto* codes : {&expected_detail_, &expected_ancestors_, &detail_, &ancestors_}) {
      std::sort(codes->begin(), codes->end());
    }
    if (detail_ != expected_detail_) {
      findings_.Add(Finding::kDetailLines, kDetailLinesDiffer, {serial, Joined(detail_), Joined(expected_detail_)});
      return;
    }
    if (ancestors_ != expected_ancestors_) {
      findings_.Add(Finding::kAncestorLines, kAncestorLinesDiffer,
                    {serial, Joined(ancestors_), Joined(expected_ancestors_)});
      return;
    }
    std::sort(expected_shapes_.begin(), expected_shapes_.end());
    std::sort(shapes_.begin(), shapes_.end());
    const auto [found, expected] = std::mismatch(shapes_.begin(), shapes_.end(), expected_shapes_.begin());
    if (found != shapes_.end()) {
      findings_.Add(
          Finding::kLineAmounts, kLineAmountDiffers,
          {serial, Amount(entry.je), std::get<0>(*found), Amount(std::get<2>(*found)), Amount(std::get<2>(*expected))});
    }
  }

  const Chart& chart_;
  Findings& findings_;
  std::vector<std::string> expected_detail_, expected_ancestors_, detail_, ancestors_;
  std::vector<LineShape> expected_shapes_, shapes_;
};

// Walks the entries and the lines side by side in serial-number order: two ordered scans, whatever
// the size of the books, instead of one look-up per entry.
class JournalWalk {
 public:
  explicit JournalWalk(LedgerDatabase& database)
      : entries_(database.PrepareRead("select lsh,ymd,kmbhs,kmbhd,je,UID,lb from B_SZ order by lsh", true)),
        lines_(database.PrepareRead("select lsh,ymd,kmbh,parentid,je,UID,lb,mx from B_MX order by lsh", true)) {
    has_entry_ = entries_.Step();
    has_line_ = lines_.Step();
  }

  // Moves to the next serial number that has an entry, lines or both; false when both are exhausted.
  bool Next() {
    if (!has_entry_ && !has_line_) return false;
    const long long entry_serial = has_entry_ ? entries_.Integer(0) : 0;
    const long long line_serial = has_line_ ? lines_.Integer(0) : 0;
    serial_ = !has_line_ ? entry_serial : !has_entry_ ? line_serial : std::min(entry_serial, line_serial);

    entry_.reset();
    if (has_entry_ && entry_serial == serial_) {
      entry_ = Entry{serial_,          entries_.Text(1),   entries_.Text(2), entries_.Text(3), entries_.Double(4),
                     entries_.Text(5), entries_.Integer(6)};
      max_serial_ = std::max(max_serial_, serial_);
      has_entry_ = entries_.Step();
    }
    lines_of_serial_.clear();
    while (has_line_ && lines_.Integer(0) == serial_) {
      lines_of_serial_.push_back(Line{lines_.Text(1), lines_.Text(2), lines_.Text(3), lines_.Double(4), lines_.Text(5),
                                      lines_.Integer(6), lines_.Integer(7)});
      has_line_ = lines_.Step();
    }
    return true;
  }

  long long Serial() const { return serial_; }
  const std::optional<Entry>& CurrentEntry() const { return entry_; }
  const std::vector<Line>& Lines() const { return lines_of_serial_; }
  long long MaxEntrySerial() const { return max_serial_; }

 private:
  Statement entries_;
  Statement lines_;
  bool has_entry_ = false;
  bool has_line_ = false;
  long long serial_ = 0;
  long long max_serial_ = 0;
  std::optional<Entry> entry_;
  std::vector<Line> lines_of_serial_;
};

void CheckCounter(LedgerDatabase& database, long long max_serial, Findings& findings) {
  Statement counter = database.PrepareRead("select lsh from B_LSH where id=1", true);
  if (!counter.Step()) {
    findings.Add(Finding::kCounter, kMissingCounter, {});
  } else if (counter.Integer(0) < max_serial) {
    findings.Add(Finding::kCounter, kCounterTooLow, {std::to_string(counter.Integer(0)), std::to_string(max_serial)});
  }
}

}  // namespace

std::vector<std::string> CheckLedger(LedgerDatabase& database) {
  const ReadSnapshot snapshot(database);
  Findings findings;
  const Chart chart = ReadChart(database);
  CheckChart(chart, findings);

  std::unordered_map<std::string, LineTotal> totals;
  EntryChecker checker(chart, findings);
  JournalWalk walk(database);
  while (walk.Next()) {
    for (const Line& line : walk.Lines()) totals[line.kmbh].Add(line.je);
    if (walk.CurrentEntry()) {
      checker.Check(*walk.CurrentEntry(), walk.Lines());
    } else {
      findings.Add(Finding::kOrphanLines, kOrphanLines,
                   {std::to_string(walk.Serial()), std::to_string(walk.Lines().size())});
    }
  }
  CheckBalances(chart, totals, findings);
  CheckCounter(database, walk.MaxEntrySerial(), findings);
  return findings.Lines();
}

}  // namespace money
