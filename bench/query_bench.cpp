// Reading the windows' lists and totals from a large sample ledger: the ledger's query datasets against raw
// sqlite3_prepare/step on the same file, alternately, in one run; the check of a whole ledger against a
// plain full scan of its posting lines; and the income journal's grid reading all its rows and arranging
// them (grouped or sorted) against raw SQLite reading the same rows in that order; and the opening of a
// detail ledger against raw SQLite reading what its first screen shows.
//
// The large ledger is made once (minutes for a million entries) and kept: MONEY_BENCH_LEDGER names the file,
// MONEY_BENCH_ENTRIES the number of entries it gets when it has to be made (default 1,000,000).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "reports/detail_fields.h"
#include "reports/detail_totals.h"
#include "side_by_side.h"
#include "storage/ledger_database.h"
#include "storage/lookup_table.h"
#include "storage/query_dataset.h"
#include "storage/row_cache.h"
#include "storage/sql_text.h"
#include "transactions/ledger_check.h"
#include "transactions/sample_ledger.h"
#include "ui/grid_columns.h"
#include "ui/grid_model.h"

namespace money {
namespace {

constexpr long long kDefaultEntries = 1000000;
constexpr long long kSmallEntries = 10000;
// The rows a detail ledger loads per batch; a journal window shows about as many.
constexpr long long kFirstScreenRows = 70;
constexpr long long kAllRows = -1;

constexpr const char* kJournalList = "select * from B_SZ where lb=2 order by lsh desc";
constexpr const char* kIncomeJournalList = "select * from B_SZ where lb=1 order by lsh desc";
constexpr const char* kSavingsPicker = "select * from B_KM where id like '3%' and id<>'3' order by id";
constexpr const char* kChartLookup = "select * from B_KM order by id";
constexpr const char* kEntryBySerial = "select zy,UNAME from B_SZ where lsh=?";
constexpr const char* kFullLineScan = "select sum(je) from B_MX";

std::string SubjectDetailList(const std::string& subject) {
  return "select * from B_MX where mx=1 and kmbh like " + QuoteSql(subject + "%") + "  order by lsh desc";
}

std::string SubjectDetailTotals(const std::string& subject) {
  return "select count(*) as ct,sum(je) as sumje from B_MX where mx=1 and kmbh like " + QuoteSql(subject + "%");
}

std::string PeriodDetailList(const std::string& start, const std::string& end, const std::string& subject) {
  return "select * from B_MX where mx=1 and ymd>=" + QuoteSql(start) + " and ymd<=" + QuoteSql(end) +
         " and kmbh like " + QuoteSql(subject + "%") + "  order by lsh desc";
}

std::string PeriodDetailTotals(const std::string& start, const std::string& end, const std::string& subject) {
  return "select count(*) as ct,sum(je) as sumje from B_MX where mx=1 and ymd>=" + QuoteSql(start) +
         " and ymd<=" + QuoteSql(end) + " and kmbh like " + QuoteSql(subject + "%");
}

std::string PeriodActivity(const std::string& start, const std::string& end) {
  return "select kmbh,lmc,a.parentid,sum(je) as ye from B_MX a,B_KM b where a.kmbh=b.id and ymd>=" +
         QuoteSql(start) + " and ymd<=" + QuoteSql(end) + " group by kmbh,lmc,a.parentid";
}

long long EntriesWanted() {
  const char* text = std::getenv("MONEY_BENCH_ENTRIES");
  if (text == nullptr || *text == '\0') return kDefaultEntries;
  const long long entries = std::strtoll(text, nullptr, 10);
  if (entries <= 0) throw std::runtime_error("MONEY_BENCH_ENTRIES must be a positive number of entries");
  return entries;
}

std::filesystem::path DataFolder() { return MONEY_BENCH_DATA_DIR; }

std::filesystem::path LargeLedgerFile() {
  const char* file = std::getenv("MONEY_BENCH_LEDGER");
  if (file != nullptr && *file != '\0') return file;
  return DataFolder() / ("sample-" + std::to_string(EntriesWanted()) + ".mdb");
}

// Makes the sample ledger unless an earlier run left it; a run broken off leaves no half-made file behind
// under the final name.
void EnsureSampleLedger(const std::filesystem::path& file, long long entries) {
  if (std::filesystem::exists(file)) return;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  const std::string building = file.string() + ".building";
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(building + suffix);
  std::fprintf(stderr, "making the sample ledger %s with %lld entries; a million take minutes...\n",
               file.c_str(), entries);
  SampleOptions options;
  options.entries = entries;
  MakeSampleLedger(building, options);
  std::filesystem::rename(building, file);
  std::fprintf(stderr, "made %s\n", file.c_str());
}

// A plain sqlite3 connection with the ledger connection's settings.
class RawReader {
 public:
  explicit RawReader(const std::filesystem::path& file) {
    if (sqlite3_open_v2(file.c_str(), &connection_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      throw std::runtime_error("cannot open " + file.string());
    }
    sqlite3_busy_timeout(connection_, 15000);
    for (const char* pragma : {"pragma synchronous=full", "pragma foreign_keys=on", "pragma case_sensitive_like=on"}) {
      sqlite3_exec(connection_, pragma, nullptr, nullptr, nullptr);
    }
  }
  ~RawReader() { sqlite3_close_v2(connection_); }
  RawReader(const RawReader&) = delete;
  RawReader& operator=(const RawReader&) = delete;

  // Steps through at most `limit` rows (all when negative), reading every column by its type as a grid would;
  // returns the number of rows read.
  long long Read(const std::string& text, long long limit) {
    sqlite3_stmt* statement = Prepare(text);
    long long rows = 0;
    long long touched = 0;
    int result = SQLITE_ROW;
    while ((limit < 0 || rows < limit) && (result = sqlite3_step(statement)) == SQLITE_ROW) {
      touched += TouchColumns(statement);
      ++rows;
    }
    benchmark::DoNotOptimize(touched);
    if (result != SQLITE_ROW && result != SQLITE_DONE) Fail(statement, text);
    sqlite3_finalize(statement);
    return rows;
  }

  // Steps through at most `limit` lines of a detail list as Read does and finds each line's entry by its
  // serial number (the list's field `lsh`) through one prepared statement, reset after each line; returns
  // the number of lines and adds the bytes of the entries' texts to `entry_bytes`.
  long long ReadLinesWithEntries(const std::string& lines_text, long long limit, const std::string& entry_text,
                                 long long& entry_bytes) {
    sqlite3_stmt* lines = Prepare(lines_text);
    sqlite3_stmt* entry = Prepare(entry_text);
    int serial = -1;
    for (int i = 0; i < sqlite3_column_count(lines); ++i) {
      if (sqlite3_stricmp(sqlite3_column_name(lines, i), "lsh") == 0) serial = i;
    }
    if (serial < 0) {
      sqlite3_finalize(entry);
      sqlite3_finalize(lines);
      throw std::runtime_error("no field lsh in " + lines_text);
    }
    long long rows = 0;
    long long touched = 0;
    int result = SQLITE_ROW;
    while ((limit < 0 || rows < limit) && (result = sqlite3_step(lines)) == SQLITE_ROW) {
      touched += TouchColumns(lines);
      sqlite3_bind_int64(entry, 1, sqlite3_column_int64(lines, serial));
      if (sqlite3_step(entry) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(entry); ++i) entry_bytes += sqlite3_column_bytes(entry, i);
      }
      sqlite3_reset(entry);
      ++rows;
    }
    benchmark::DoNotOptimize(touched);
    sqlite3_finalize(entry);
    if (result != SQLITE_ROW && result != SQLITE_DONE) Fail(lines, lines_text);
    sqlite3_finalize(lines);
    return rows;
  }

  // The first column of the first row as text ("" when there is none).
  std::string Scalar(const std::string& text) {
    sqlite3_stmt* statement = Prepare(text);
    std::string value;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_type(statement, 0) != SQLITE_NULL) {
      value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
    return value;
  }

  // EXPLAIN QUERY PLAN, one line per step, indented under its parent step.
  std::string Plan(const std::string& text) {
    sqlite3_stmt* statement = Prepare("explain query plan " + text);
    std::vector<std::pair<int, int>> depths;  // step id, depth
    std::string plan;
    while (sqlite3_step(statement) == SQLITE_ROW) {
      const int id = sqlite3_column_int(statement, 0);
      const int parent = sqlite3_column_int(statement, 1);
      int depth = 0;
      for (const auto& [step, step_depth] : depths) {
        if (step == parent) depth = step_depth + 1;
      }
      depths.emplace_back(id, depth);
      plan += "    " + std::string(2 * static_cast<size_t>(depth), ' ') +
              reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)) + "\n";
    }
    sqlite3_finalize(statement);
    return plan;
  }

 private:
  // Reads every column of the current row by its type, as a grid would.
  static long long TouchColumns(sqlite3_stmt* statement) {
    long long touched = 0;
    for (int i = 0, columns = sqlite3_column_count(statement); i < columns; ++i) {
      switch (sqlite3_column_type(statement, i)) {
        case SQLITE_INTEGER:
          touched += sqlite3_column_int64(statement, i);
          break;
        case SQLITE_FLOAT:
          touched += static_cast<long long>(sqlite3_column_double(statement, i));
          break;
        case SQLITE_TEXT:
          touched += *sqlite3_column_text(statement, i) + sqlite3_column_bytes(statement, i);
          break;
        default:
          break;
      }
    }
    return touched;
  }

  sqlite3_stmt* Prepare(const std::string& text) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection_, text.c_str(), -1, &statement, nullptr) != SQLITE_OK) Fail(statement, text);
    return statement;
  }
  [[noreturn]] void Fail(sqlite3_stmt* statement, const std::string& text) {
    const std::string message = sqlite3_errmsg(connection_);
    sqlite3_finalize(statement);
    throw std::runtime_error("raw SQLite failed on " + text + ": " + message);
  }

  sqlite3* connection_ = nullptr;
};

// Reads at most `limit` rows (all when negative) through a query dataset, each row whole, as a window
// fills its grid: the dataset stands on the first row when opened, so n rows take n steps.
long long ReadThroughDataset(LedgerDatabase& database, const std::string& text, long long limit) {
  QueryDataset query = database.OpenQuery(text);
  long long rows = 0;
  while (!query.Eof()) {
    std::vector<FieldValue> row = query.Row();
    benchmark::DoNotOptimize(row);
    if (++rows == limit) break;
    query.Next();
  }
  return rows;
}

// One sample ledger open twice: through the ledger's connection and through raw SQLite.
struct Sample {
  explicit Sample(const std::filesystem::path& ledger_file, long long entries_wanted) : file(ledger_file) {
    EnsureSampleLedger(file, entries_wanted);
    ours.Open(file);
    raw = std::make_unique<RawReader>(file);
    entries = std::stoll(raw->Scalar("select count(*) from B_SZ"));
    lines = std::stoll(raw->Scalar("select count(*) from B_MX"));
    first_day = raw->Scalar("select min(ymd) from B_SZ");
    last_day = raw->Scalar("select max(ymd) from B_SZ");
    month_start = last_day.substr(0, 8) + "01";
    month_end = last_day.substr(0, 8) + "31";
    // The level-2 savings subject with the most detail lines: the heaviest detail ledger of that level.
    subject = raw->Scalar(
        "select substr(kmbh,1,4) as k from B_MX where mx=1 and kmbh like '3%' and length(kmbh)>=4 "
        "group by k order by count(*) desc limit 1");
    subject_lines = std::stoll(raw->Scalar(
        "select count(*) from B_MX where mx=1 and kmbh like " + QuoteSql(subject + "%")));
    root = subject.substr(0, 1);
    root_lines = std::stoll(raw->Scalar("select count(*) from B_MX where mx=1 and kmbh like " + QuoteSql(root + "%")));
  }

  // Compares the count of rows both sides read, so neither side can win by reading less.
  void CompareReading(benchmark::State& state, const std::string& text, long long limit) {
    long long ours_rows = 0;
    long long raw_rows = 0;
    CompareAlternately(
        state, [] {}, [&] { ours_rows = ReadThroughDataset(ours, text, limit); },
        [&] { raw_rows = raw->Read(text, limit); });
    if (ours_rows != raw_rows) {
      throw std::runtime_error("the dataset read " + std::to_string(ours_rows) + " rows, raw SQLite " +
                               std::to_string(raw_rows) + ": " + text);
    }
    state.counters["rows"] = static_cast<double>(raw_rows);
    state.counters["entries"] = static_cast<double>(entries);
  }

  std::filesystem::path file;
  LedgerDatabase ours;
  std::unique_ptr<RawReader> raw;
  long long entries = 0;
  long long lines = 0;
  std::string first_day;
  std::string last_day;
  std::string month_start;
  std::string month_end;
  std::string subject;
  long long subject_lines = 0;
  std::string root;  // the class root above `subject`
  long long root_lines = 0;
};

void PrintPlans(Sample& sample) {
  const std::vector<std::pair<std::string, std::string>> queries = {
      {"journal list (expense)", kJournalList},
      {"savings picker", kSavingsPicker},
      {"detail ledger: subject lookup", kChartLookup},
      {"detail ledger: entry by serial", kEntryBySerial},
      {"subject detail list", SubjectDetailList(sample.subject)},
      {"class root detail list", SubjectDetailList(sample.root)},
      {"subject detail totals", SubjectDetailTotals(sample.subject)},
      {"period detail list (one month)", PeriodDetailList(sample.month_start, sample.month_end, sample.subject)},
      {"period detail totals (one month)", PeriodDetailTotals(sample.month_start, sample.month_end, sample.subject)},
      {"period activity (one month)", PeriodActivity(sample.month_start, sample.month_end)},
      {"period activity (all years)", PeriodActivity(sample.first_day, sample.last_day)},
  };
  std::printf("\nSample ledger %s: %lld entries, %lld posting lines, %s to %s; level-2 subject %s with %lld "
              "detail lines, class root %s with %lld\nQuery plans:\n",
              sample.file.c_str(), sample.entries, sample.lines, sample.first_day.c_str(), sample.last_day.c_str(),
              sample.subject.c_str(), sample.subject_lines, sample.root.c_str(), sample.root_lines);
  for (const auto& [name, text] : queries) {
    std::printf("  %s: %s\n%s", name.c_str(), text.c_str(), sample.raw->Plan(text).c_str());
  }
  std::printf("\n");
  std::fflush(stdout);
}

Sample& SmallSample() {
  static Sample sample(DataFolder() / ("sample-" + std::to_string(kSmallEntries) + ".mdb"), kSmallEntries);
  return sample;
}

// The large sample, with the plans of the windows' queries printed once when it is first used.
Sample& LargeSample() {
  static Sample sample(LargeLedgerFile(), EntriesWanted());
  static const bool plans_printed = (PrintPlans(sample), true);
  benchmark::DoNotOptimize(plans_printed);
  return sample;
}

Sample& SampleOf(const benchmark::State& state) { return state.range(0) == 0 ? SmallSample() : LargeSample(); }

// The first screen of a journal window: must cost the same on a small and on a large ledger.
void BM_JournalFirstScreen(benchmark::State& state) {
  Guarded(state, [&] { SampleOf(state).CompareReading(state, kJournalList, kFirstScreenRows); });
}

// The period activity tree, read whole: one month (all_years 0) or every year of the ledger (all_years 1).
void BM_PeriodActivity(benchmark::State& state) {
  Guarded(state, [&] {
    Sample& sample = LargeSample();
    const bool all_years = state.range(0) != 0;
    sample.CompareReading(state,
                          all_years ? PeriodActivity(sample.first_day, sample.last_day)
                                    : PeriodActivity(sample.month_start, sample.month_end),
                          kAllRows);
  });
}

// The footer of a detail ledger for the level-2 subject: all dates (one_month 0) or one month (one_month 1).
void BM_DetailTotals(benchmark::State& state) {
  Guarded(state, [&] {
    Sample& sample = LargeSample();
    sample.CompareReading(state,
                          state.range(0) == 0
                              ? SubjectDetailTotals(sample.subject)
                              : PeriodDetailTotals(sample.month_start, sample.month_end, sample.subject),
                          kAllRows);
  });
}

// The first batch of a detail ledger's grid for the level-2 subject: all dates (one_month 0) or one month.
void BM_DetailFirstScreen(benchmark::State& state) {
  Guarded(state, [&] {
    Sample& sample = SampleOf(state);
    sample.CompareReading(state,
                          state.range(1) == 0
                              ? SubjectDetailList(sample.subject)
                              : PeriodDetailList(sample.month_start, sample.month_end, sample.subject),
                          kFirstScreenRows);
  });
}

// What a detail ledger read: its lines, and the memos and operator names it looked up for them.
struct DetailOpening {
  long long lines = 0;
  long long looked_up_bytes = 0;  // of the memos and operator names
};

// Neither side may win by reading or finding less.
void RequireSameReading(const DetailOpening& ours, const DetailOpening& raw) {
  if (ours.lines != raw.lines || ours.looked_up_bytes != raw.looked_up_bytes) {
    throw std::runtime_error("ours read " + std::to_string(ours.lines) + " lines with " +
                             std::to_string(ours.looked_up_bytes) + " bytes of memos and names, raw SQLite " +
                             std::to_string(raw.lines) + " with " + std::to_string(raw.looked_up_bytes));
  }
}

// Looks up the memo, operator name and subject long name of every line read so far, as the grid's columns do.
void LookUpLines(const DetailLookups& lookups, const RowCache& lines, DetailOpening& opening) {
  const int serial = lines.FieldIndex("lsh");
  const int code = lines.FieldIndex("kmbh");
  long long names = 0;
  for (size_t row = 0; row < lines.LoadedCount(); ++row) {
    const std::string serial_text = lines.Text(row, serial);
    opening.looked_up_bytes +=
        static_cast<long long>(lookups.Memo(serial_text).size() + lookups.OperatorName(serial_text).size());
    names += static_cast<long long>(lookups.SubjectName(lines.Text(row, code)).size());
  }
  benchmark::DoNotOptimize(names);
  opening.lines = static_cast<long long>(lines.LoadedCount());
}

// What opening a subject detail ledger costs before its first screen shows: the look-ups opened, the totals
// read, the first batch of lines read and each line's memo, operator name and subject long name looked up;
// the look-ups closed again, as hiding the window does. The yardstick: raw SQLite reading the chart, the
// totals and the first lines, finding each line's entry by its serial number.
DetailOpening OpenDetailLedger(LedgerDatabase& database, const std::string& totals_text, const std::string& list_text) {
  DetailLookups lookups;
  lookups.Open(database);
  const DetailTotals totals = ReadDetailTotals(database, totals_text);
  benchmark::DoNotOptimize(totals);
  RowCache lines(database, list_text, kFirstScreenRows);
  lines.FetchMore();
  DetailOpening opening;
  LookUpLines(lookups, lines, opening);
  lookups.Close();
  return opening;
}

DetailOpening RawDetailOpening(RawReader& raw, const std::string& totals_text, const std::string& list_text) {
  DetailOpening opening;
  raw.Read(kChartLookup, kAllRows);
  raw.Read(totals_text, kAllRows);
  opening.lines = raw.ReadLinesWithEntries(list_text, kFirstScreenRows, kEntryBySerial, opening.looked_up_bytes);
  return opening;
}

// subject 0: the level-2 subject with the most lines; 1: its class root.
void BM_DetailOpening(benchmark::State& state) {
  Guarded(state, [&] {
    Sample& sample = LargeSample();
    const std::string& subject = state.range(0) == 0 ? sample.subject : sample.root;
    const std::string totals = SubjectDetailTotals(subject);
    const std::string list = SubjectDetailList(subject);
    DetailOpening ours;
    DetailOpening raw;
    CompareAlternately(
        state, [] {}, [&] { ours = OpenDetailLedger(sample.ours, totals, list); },
        [&] { raw = RawDetailOpening(*sample.raw, totals, list); });
    RequireSameReading(ours, raw);
    state.SetLabel("subject " + subject);
    state.counters["rows"] = static_cast<double>(raw.lines);
    state.counters["lines"] = static_cast<double>(state.range(0) == 0 ? sample.subject_lines : sample.root_lines);
  });
}

// The other side of reading look-ups: every line of the level-2 subject read with its memo and operator
// name, as sorting, grouping or filtering by them and the spreadsheet export need; the yardstick is raw
// SQLite reading every line and finding each line's entry by its serial number.
void BM_DetailEveryLine(benchmark::State& state) {
  Guarded(state, [&] {
    Sample& sample = LargeSample();
    const std::string list = SubjectDetailList(sample.subject);
    DetailOpening ours;
    DetailOpening raw;
    CompareAlternately(
        state, [] {},
        [&] {
          DetailLookups lookups;
          lookups.Open(sample.ours);
          RowCache lines(sample.ours, list, kFirstScreenRows);
          lines.LoadAll();
          ours = DetailOpening{};
          LookUpLines(lookups, lines, ours);
        },
        [&] {
          raw = DetailOpening{};
          raw.lines = sample.raw->ReadLinesWithEntries(list, kAllRows, kEntryBySerial, raw.looked_up_bytes);
        });
    RequireSameReading(ours, raw);
    state.SetLabel("subject " + sample.subject);
    state.counters["rows"] = static_cast<double>(raw.lines);
  });
}

// The whole-ledger check has no raw counterpart: its yardstick is one plain scan of every posting line.
void BM_CheckLedger(benchmark::State& state) {
  Guarded(state, [&] {
    Sample& sample = SampleOf(state);
    size_t violations = 0;
    std::string first_violation;
    CompareAlternately(
        state, [] {},
        [&] {
          const std::vector<std::string> found = CheckLedger(sample.ours);
          violations = found.size();
          if (!found.empty()) first_violation = found.front();
        },
        [&] { benchmark::DoNotOptimize(sample.raw->Scalar(kFullLineScan)); });
    state.counters["violations"] = static_cast<double>(violations);
    state.counters["entries"] = static_cast<double>(sample.entries);
    if (violations != 0) state.SetLabel("first violation: " + first_violation);
  });
}

// The income journal's grid over the large sample, as its window sets it up, with the program's locale.
struct JournalGrid {
  explicit JournalGrid(Sample& sample) : sample(sample) {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    const auto chart = std::make_shared<const LookupTable>(sample.ours, kChartLookup, "id");
    model.SetColumns({PlainColumn("lsh", "流水号", 65),
                      PlainColumn("ymd", "时间", 74),
                      PlainColumn("zy", "摘要", 146),
                      PlainColumn("je", "金额", 96, "0.00;-0.00"),
                      PlainColumn("kmbhs", "源(收入)科目编号", 78),
                      LookupColumn("kmmcs", "源(收入)科目名称", 136, chart, "kmbhs", "lmc"),
                      PlainColumn("kmbhd", "目的(节余)科目编号", 74),
                      LookupColumn("kmmcd", "目的(节余)科目名称", 128, chart, "kmbhd", "lmc"),
                      YearColumn(),
                      YearMonthColumn(),
                      PlainColumn("UID", "用户编号", 54),
                      PlainColumn("UNAME", "用户名称", 134),
                      HiddenColumn(LookupColumn("skmmcs", "", 0, chart, "kmbhs", "mc")),
                      HiddenColumn(LookupColumn("skmmcd", "", 0, chart, "kmbhd", "mc"))});
    model.SetSummaries({AmountTotal("je")});
    model.SetGroupFooters(true);
  }

  void LoadAll() {
    model.Open(sample.ours, kIncomeJournalList);
    model.LoadAllRows();
  }

  Sample& sample;
  GridModel model;
};

// Every row of the income journal into the grid's model, as sorting, grouping and filtering need them.
void BM_GridLoadAll(benchmark::State& state) {
  Guarded(state, [&] {
    JournalGrid grid(LargeSample());
    long long raw_rows = 0;
    CompareAlternately(
        state, [&] { grid.model.Close(); }, [&] { grid.LoadAll(); },
        [&] { raw_rows = grid.sample.raw->Read(kIncomeJournalList, kAllRows); });
    if (static_cast<long long>(grid.model.LoadedRowCount()) != raw_rows) {
      throw std::runtime_error("the grid read " + std::to_string(grid.model.LoadedRowCount()) + " rows, raw SQLite " +
                               std::to_string(raw_rows));
    }
    state.counters["rows"] = static_cast<double>(raw_rows);
  });
}

// How the operator arranges the loaded journal, and the same order asked of SQLite (its own text order,
// not the locale's collation) as the yardstick.
struct Arrangement {
  const char* name;
  const char* grouped_field;  // nullptr: none
  const char* sorted_field;   // nullptr: none
  const char* raw_order;
};

constexpr Arrangement kArrangements[] = {
    {"group by ym", "ym", nullptr, "substr(ymd,1,7), lsh desc"},
    {"sort by zy (few texts)", nullptr, "zy", "zy, lsh desc"},
    {"sort by ymd (many texts)", nullptr, "ymd", "ymd, lsh desc"},
};

// Arranging the journal once every row is in the grid (loaded once, untimed): the model's grouping or sort
// alone, against raw SQLite reading the list in that order.
void BM_GridArrange(benchmark::State& state) {
  Guarded(state, [&] {
    const Arrangement& arrangement = kArrangements[state.range(0)];
    JournalGrid grid(LargeSample());
    grid.LoadAll();
    const std::string raw_text = "select * from B_SZ where lb=1 order by " + std::string(arrangement.raw_order);
    CompareAlternately(
        state,
        [&] {
          grid.model.sort(-1);
          if (arrangement.grouped_field != nullptr) grid.model.Ungroup(arrangement.grouped_field);
        },
        [&] {
          if (arrangement.grouped_field != nullptr) grid.model.GroupBy(arrangement.grouped_field);
          if (arrangement.sorted_field != nullptr) grid.model.sort(grid.model.ColumnOf(arrangement.sorted_field));
        },
        [&] { benchmark::DoNotOptimize(grid.sample.raw->Read(raw_text, kAllRows)); });
    state.SetLabel(arrangement.name);
    state.counters["rows"] = static_cast<double>(grid.model.DataRowCount());
    if (arrangement.grouped_field != nullptr) state.counters["groups"] = static_cast<double>(grid.model.rowCount());
  });
}

// ledger: 0 is the 10,000-entry sample, 1 the large one. Two seconds gather several iterations even of the
// slow queries, whose single iterations the disk and other processes disturb most.
BENCHMARK(BM_JournalFirstScreen)->ArgName("ledger")->Arg(0)->Arg(1)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_PeriodActivity)->ArgName("all_years")->Arg(0)->Arg(1)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_DetailTotals)->ArgName("one_month")->Arg(0)->Arg(1)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_DetailFirstScreen)
    ->ArgNames({"ledger", "one_month"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->UseManualTime()
    ->MinTime(2.0);
BENCHMARK(BM_DetailOpening)->ArgName("class_root")->Arg(0)->Arg(1)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_DetailEveryLine)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_CheckLedger)->ArgName("ledger")->Arg(0)->Arg(1)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_GridLoadAll)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_GridArrange)->ArgName("arrangement")->DenseRange(0, 2)->UseManualTime()->MinTime(2.0);

}  // namespace
}  // namespace money
