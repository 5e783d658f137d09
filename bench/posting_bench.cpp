// The posting engine against raw SQLite: each benchmark saves, changes or deletes entries through the engine on
// one copy of a ledger and sends the same statement texts through a plain sqlite3 connection on another copy,
// alternately, in one run. The figure is the ratio of the two times ("ours" is the engine).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "side_by_side.h"
#include "storage/ledger_database.h"
#include "storage/ledger_file.h"
#include "storage/sql_text.h"
#include "subjects/subject_codes.h"
#include "subjects/subject_store.h"
#include "transactions/posting_engine.h"

namespace money {
namespace {

// An income from a level-3 income subject into a level-2 savings subject, as in the worked example.
constexpr const char* kSource = "1001001";
constexpr const char* kDestination = "3001";
constexpr int kIncomeNumber = 1;
constexpr const char* kDate = "2005.03.07";
constexpr const char* kMemo = "工资";
constexpr const char* kOperatorCode = "0001";
constexpr const char* kOperatorName = "记账员";
constexpr double kAmount = 120.5;
constexpr double kChangedAmount = 80.25;
// Both ledgers start with this many entries, so the tables and indexes are not trivially small.
constexpr int kHistoryEntries = 2000;
// The engine reads the stored entry back before undoing it; raw SQLite sends only the posting statements.
constexpr const char* kEngineGuardSelect = "select kmbhs,kmbhd,je,lb from B_SZ where lsh=?";
constexpr const char* kCounterSelect = "select lsh from B_LSH where id=?";
constexpr const char* kCounterUpdate = "update B_LSH set lsh=? where id=?";

// A temporary folder removed with its files.
class WorkFolder {
 public:
  WorkFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "money-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a work folder");
    path_ = pattern;
  }
  ~WorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

NewEntry Income(double amount) {
  return NewEntry{EntryKind::Income, kDate, EntrySide{kSource, 3}, EntrySide{kDestination, 2},
                  amount,            kMemo, kOperatorCode,          kOperatorName};
}

StoredEntry StoredIncome(long long serial, double amount) {
  return StoredEntry{EntryKind::Income, serial, kSource, kDestination, amount};
}

EntryChange ChangedIncome(double amount) {
  return EntryChange{kDate, kSource, kDestination, amount, kMemo, kOperatorCode, kOperatorName};
}

void RequireOk(const PostingResult& result) {
  if (!result.ok) throw std::runtime_error("the posting engine failed: " + result.detail);
}

// The delivered ledger with the subjects of the example and some history, made once per run.
const std::filesystem::path& TemplateLedger() {
  static WorkFolder folder;
  static const std::filesystem::path file = [] {
    const std::filesystem::path made = folder / "template.mdb";
    CreateLedger(made);
    LedgerDatabase database;
    database.Open(made);
    database.RelaxDurabilityForBulkLoad();
    const std::vector<Subject> subjects = {
        {"1001", "1", "工资收入", 2, 0, "收入\\工资收入", ""},
        {"1001001", "1001", "基本工资", 3, 0, "收入\\工资收入\\基本工资", ""},
        {"3001", "3", "现金", 2, 0, "节余\\现金", ""},
    };
    for (const Subject& subject : subjects) {
      if (InsertSubject(database, subject) != StoreOutcome::kStored) {
        throw std::runtime_error("cannot store subject " + subject.id);
      }
    }
    for (int i = 0; i < kHistoryEntries; ++i) RequireOk(PostEntry(database, Income(kAmount)));
    return made;
  }();
  return file;
}

// A plain sqlite3 connection with the ledger connection's settings, sending statement texts as they are.
class RawLedger {
 public:
  RawLedger(const std::filesystem::path& file, bool durable) {
    if (sqlite3_open_v2(file.c_str(), &connection_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      throw std::runtime_error("cannot open " + file.string());
    }
    sqlite3_busy_timeout(connection_, 15000);
    Run("pragma journal_mode=wal");
    Run(durable ? "pragma synchronous=full" : "pragma synchronous=off");
    Run("pragma foreign_keys=on");
    Run("pragma case_sensitive_like=on");
  }
  ~RawLedger() { sqlite3_close_v2(connection_); }
  RawLedger(const RawLedger&) = delete;
  RawLedger& operator=(const RawLedger&) = delete;

  // Collects every statement text sent from now on.
  void LogInto(std::vector<std::string>* log) { log_ = log; }

  void Run(const std::string& text) {
    if (log_ != nullptr) log_->push_back(text);
    char* error = nullptr;
    if (sqlite3_exec(connection_, text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string message = error ? error : "unknown error";
      sqlite3_free(error);
      throw std::runtime_error("raw SQLite failed on " + text + ": " + message);
    }
  }

  // The counter in its own transaction: read it, write it back increased.
  long long AllocateSerialNumber() {
    Run("begin immediate");
    sqlite3_stmt* select = Prepare(kCounterSelect);
    sqlite3_bind_int64(select, 1, 1);
    if (sqlite3_step(select) != SQLITE_ROW) Fail(select, kCounterSelect);
    const long long serial = sqlite3_column_int64(select, 0) + 1;
    sqlite3_finalize(select);
    sqlite3_stmt* update = Prepare(kCounterUpdate);
    sqlite3_bind_int64(update, 1, serial);
    sqlite3_bind_int64(update, 2, 1);
    if (sqlite3_step(update) != SQLITE_DONE) Fail(update, kCounterUpdate);
    sqlite3_finalize(update);
    Run("commit");
    return serial;
  }

  // Balances, counts and counter: equal on two ledgers that went through the same operations.
  std::string Fingerprint() {
    std::string text;
    sqlite3_stmt* rows = Prepare(
        "select id||'='||ye from B_KM union all select 'sz='||count(*) from B_SZ union all "
        "select 'mx='||count(*)||','||sum(je) from B_MX union all select 'lsh='||lsh from B_LSH");
    while (sqlite3_step(rows) == SQLITE_ROW) {
      text += reinterpret_cast<const char*>(sqlite3_column_text(rows, 0));
      text += ' ';
    }
    sqlite3_finalize(rows);
    return text;
  }

 private:
  sqlite3_stmt* Prepare(const char* text) {
    if (log_ != nullptr) log_->push_back(text);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection_, text, -1, &statement, nullptr) != SQLITE_OK) Fail(statement, text);
    return statement;
  }
  [[noreturn]] void Fail(sqlite3_stmt* statement, const char* text) {
    const std::string message = sqlite3_errmsg(connection_);
    sqlite3_finalize(statement);
    throw std::runtime_error("raw SQLite failed on " + std::string(text) + ": " + message);
  }

  sqlite3* connection_ = nullptr;
  std::vector<std::string>* log_ = nullptr;
};

// The posting statements of one side, as the engine must send them. The amounts are positive, so no text
// holds "--" and SQLite reads every text as it stands.
void RawPostSide(RawLedger& raw, long long serial, const std::string& code, int level, double amount) {
  const std::string head = "insert into B_MX values(" + std::to_string(serial) + "," + QuoteSql(kDate) + ",";
  const std::string tail = "," + QuoteSql(kOperatorCode) + "," + std::to_string(kIncomeNumber);
  for (int i = level; i >= 1; --i) {
    const std::string subject = CodeAtLevel(code, i);
    raw.Run("update B_KM set ye=" + SqlNumber(amount) + "+ye where id=" + QuoteSql(subject));
    const std::string parent = i == 1 ? "NULL" : QuoteSql(CodeAtLevel(code, i - 1));
    raw.Run(head + QuoteSql(subject) + "," + parent + "," + SqlNumber(amount) + tail + (i == level ? ",1)" : ",0)"));
  }
}

void RawReverseSide(RawLedger& raw, const std::string& code, double amount) {
  for (int i = LevelOfCode(code); i >= 1; --i) {
    raw.Run("update B_KM set ye=ye-" + SqlNumber(amount) + " where id=" + QuoteSql(CodeAtLevel(code, i)));
  }
}

long long RawPost(RawLedger& raw, double amount) {
  const long long serial = raw.AllocateSerialNumber();
  raw.Run("begin immediate");
  raw.Run("insert into B_SZ values(" + std::to_string(serial) + "," + QuoteSql(kDate) + "," + QuoteSql(kSource) +
          "," + QuoteSql(kDestination) + "," + SqlNumber(amount) + "," + QuoteSql(kMemo) + "," +
          QuoteSql(kOperatorCode) + "," + QuoteSql(kOperatorName) + "," + std::to_string(kIncomeNumber) + ")");
  RawPostSide(raw, serial, kSource, LevelOfCode(kSource), amount);
  RawPostSide(raw, serial, kDestination, LevelOfCode(kDestination), amount);
  raw.Run("commit");
  return serial;
}

void RawModify(RawLedger& raw, long long serial, double stored_amount, double new_amount) {
  raw.Run("begin immediate");
  RawReverseSide(raw, kSource, stored_amount);
  RawReverseSide(raw, kDestination, stored_amount);
  raw.Run("delete from B_MX where lsh=" + std::to_string(serial));
  raw.Run("update B_SZ set ymd=" + QuoteSql(kDate) + ",kmbhs=" + QuoteSql(kSource) + ",kmbhd=" +
          QuoteSql(kDestination) + ",je=" + SqlNumber(new_amount) + ",zy=" + QuoteSql(kMemo) + ",UID=" +
          QuoteSql(kOperatorCode) + ",UNAME=" + QuoteSql(kOperatorName) + ",lb=" + std::to_string(kIncomeNumber) +
          " where lsh=" + std::to_string(serial));
  RawPostSide(raw, serial, kSource, LevelOfCode(kSource), new_amount);
  RawPostSide(raw, serial, kDestination, LevelOfCode(kDestination), new_amount);
  raw.Run("commit");
}

void RawDelete(RawLedger& raw, long long serial, double amount) {
  raw.Run("begin immediate");
  RawReverseSide(raw, kSource, amount);
  RawReverseSide(raw, kDestination, amount);
  raw.Run("delete from B_MX where lsh=" + std::to_string(serial));
  raw.Run("delete from B_SZ where lsh=" + std::to_string(serial));
  raw.Run("commit");
}

// Two fresh copies of the template: one for the engine, one for raw SQLite.
struct LedgerPair {
  explicit LedgerPair(bool durable) {
    std::filesystem::copy_file(TemplateLedger(), folder / "engine.mdb");
    std::filesystem::copy_file(TemplateLedger(), folder / "raw.mdb");
    engine.Open(folder / "engine.mdb");
    if (!durable) engine.RelaxDurabilityForBulkLoad();
    raw = std::make_unique<RawLedger>(folder / "raw.mdb", durable);
  }

  // Runs one operation on each side with every statement text recorded, and fails unless both sent the same
  // texts (apart from the engine's own check of the stored entry).
  void RequireSameStatements(const std::function<void()>& engine_operation,
                             const std::function<void()>& raw_operation) {
    std::vector<std::string> engine_log;
    std::vector<std::string> raw_log;
    engine.SetStatementObserver([&](std::string_view text) {
      if (text != kEngineGuardSelect) engine_log.emplace_back(text);
    });
    raw->LogInto(&raw_log);
    engine_operation();
    raw_operation();
    engine.SetStatementObserver(nullptr);
    raw->LogInto(nullptr);
    if (engine_log != raw_log) {
      std::string report = "the engine and raw SQLite sent different statements:";
      for (size_t i = 0; i < std::max(engine_log.size(), raw_log.size()); ++i) {
        const std::string engine_text = i < engine_log.size() ? engine_log[i] : "";
        const std::string raw_text = i < raw_log.size() ? raw_log[i] : "";
        if (engine_text != raw_text) report += "\n  engine: " + engine_text + "\n  raw:    " + raw_text;
      }
      throw std::runtime_error(report);
    }
  }

  // Fails unless both ledgers hold the same balances, entries, lines and counter.
  void RequireSameBooks() {
    RawLedger engine_reader(folder / "engine.mdb", true);
    if (engine_reader.Fingerprint() != raw->Fingerprint()) {
      throw std::runtime_error("the engine's ledger and raw SQLite's ledger differ after the run");
    }
  }

  WorkFolder folder;
  LedgerDatabase engine;
  std::unique_ptr<RawLedger> raw;
};

void BM_PostEntry(benchmark::State& state) {
  Guarded(state, [&] {
    LedgerPair pair(state.range(0) != 0);
    pair.RequireSameStatements([&] { RequireOk(PostEntry(pair.engine, Income(kAmount))); },
                               [&] { RawPost(*pair.raw, kAmount); });
    CompareAlternately(
        state, [] {}, [&] { RequireOk(PostEntry(pair.engine, Income(kAmount))); },
        [&] { RawPost(*pair.raw, kAmount); });
    pair.RequireSameBooks();
  });
}

// Changes the last entry of the history back and forth between two amounts.
void BM_ModifyEntry(benchmark::State& state) {
  Guarded(state, [&] {
    LedgerPair pair(state.range(0) != 0);
    const long long serial = kHistoryEntries;
    double stored = kAmount;
    double changed = kChangedAmount;
    pair.RequireSameStatements(
        [&] { RequireOk(ModifyEntry(pair.engine, StoredIncome(serial, stored), ChangedIncome(changed))); },
        [&] { RawModify(*pair.raw, serial, stored, changed); });
    CompareAlternately(
        state, [&] { std::swap(stored, changed); },
        [&] { RequireOk(ModifyEntry(pair.engine, StoredIncome(serial, stored), ChangedIncome(changed))); },
        [&] { RawModify(*pair.raw, serial, stored, changed); });
    pair.RequireSameBooks();
  });
}

// Each iteration first saves one entry on both sides (not timed), then deletes it.
void BM_DeleteEntry(benchmark::State& state) {
  Guarded(state, [&] {
    LedgerPair pair(state.range(0) != 0);
    long long serial = 0;
    const auto save_on_both = [&] {
      const PostingResult saved = PostEntry(pair.engine, Income(kAmount));
      RequireOk(saved);
      if (RawPost(*pair.raw, kAmount) != saved.serial) throw std::runtime_error("the serial numbers differ");
      serial = saved.serial;
    };
    save_on_both();
    pair.RequireSameStatements([&] { RequireOk(DeleteEntry(pair.engine, StoredIncome(serial, kAmount))); },
                               [&] { RawDelete(*pair.raw, serial, kAmount); });
    CompareAlternately(
        state, save_on_both, [&] { RequireOk(DeleteEntry(pair.engine, StoredIncome(serial, kAmount))); },
        [&] { RawDelete(*pair.raw, serial, kAmount); });
    pair.RequireSameBooks();
  });
}

// synchronous_full=1 is the ledger's setting; 0 takes the disk out and shows the statement overhead alone.
BENCHMARK(BM_PostEntry)->ArgName("synchronous_full")->Arg(1)->Arg(0)->UseManualTime()->MinTime(1.0);
BENCHMARK(BM_ModifyEntry)->ArgName("synchronous_full")->Arg(1)->Arg(0)->UseManualTime()->MinTime(1.0);
BENCHMARK(BM_DeleteEntry)->ArgName("synchronous_full")->Arg(1)->Arg(0)->UseManualTime()->MinTime(1.0);

}  // namespace
}  // namespace money
