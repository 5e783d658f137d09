#include "transactions/posting_engine.h"

#include <exception>
#include <functional>

#include "storage/ledger_database.h"
#include "storage/sql_text.h"
#include "subjects/subject_codes.h"
#include "transactions/transaction_messages.h"

namespace money {

namespace {

enum class Direction { kIncrease, kDecrease };

Direction SourceDirection(EntryKind kind) {
  return SourceIncreases(kind) ? Direction::kIncrease : Direction::kDecrease;
}

std::string Tail(EntryKind kind, bool detail) {
  std::string tail = ",";
  tail += std::to_string(KindNumber(kind));
  tail += detail ? ",1)" : ",0)";
  return tail;
}

std::string BalanceStatement(const std::string& code, Direction direction, double amount) {
  if (direction == Direction::kIncrease) {
    return "update B_KM set ye=" + SqlNumber(amount) + "+ye where id=" + QuoteSql(code);
  }
  return "update B_KM set ye=ye-" + SqlNumber(amount) + " where id=" + QuoteSql(code);
}

// Applies the amount to every subject of the side's ancestor chain, each followed by its posting line.
void PostSide(LedgerDatabase& database, long long serial, const std::string& date, const EntrySide& side,
              Direction direction, double amount, EntryKind kind, const std::string& operator_code) {
  const std::string signed_change = SqlNumber(direction == Direction::kIncrease ? amount : -amount);
  const std::string head = "insert into B_MX values(" + std::to_string(serial) + "," + QuoteSql(date) + ",";
  for (int level = side.level; level >= 2; --level) {
    const std::string code = CodeAtLevel(side.code, level);
    database.Execute(BalanceStatement(code, direction, amount));
    database.Execute(head + QuoteSql(code) + "," + QuoteSql(CodeAtLevel(side.code, level - 1)) + "," +
                     signed_change + "," + QuoteSql(operator_code) + Tail(kind, level == side.level));
  }
  const std::string root = CodeAtLevel(side.code, 1);
  database.Execute(BalanceStatement(root, direction, amount));
  database.Execute(head + QuoteSql(root) + ",NULL," + signed_change + "," + QuoteSql(operator_code) +
                   Tail(kind, false));
}

// Undoes a side's balance changes; its lines are removed separately.
void ReverseSide(LedgerDatabase& database, const std::string& code, Direction had, double amount) {
  const std::string change = had == Direction::kIncrease ? "update B_KM set ye=ye-" : "update B_KM set ye=ye+";
  for (int level = LevelOfCode(code); level >= 1; --level) {
    database.Execute(change + SqlNumber(amount) + " where id=" + QuoteSql(CodeAtLevel(code, level)));
  }
}

// A change or delete undoes what the caller saw. If the entry has meanwhile been changed or deleted (by
// another window or process), undoing it again would corrupt the balances: refuse instead.
void RequireUnchanged(LedgerDatabase& database, const StoredEntry& stored) {
  QueryDataset row = database.OpenQuery("select kmbhs,kmbhd,je,lb from B_SZ where lsh=?", {stored.serial});
  if (row.Eof() || row.Text("kmbhs") != stored.source || row.Text("kmbhd") != stored.destination ||
      row.Double("je") != stored.amount || row.Integer("lb") != KindNumber(stored.kind)) {
    throw DatabaseError("entry " + std::to_string(stored.serial) + " is no longer as it was shown", 0, 0,
                        row.SelectText());
  }
}

void ReverseEntry(LedgerDatabase& database, const StoredEntry& stored) {
  RequireUnchanged(database, stored);
  ReverseSide(database, stored.source, SourceDirection(stored.kind), stored.amount);
  ReverseSide(database, stored.destination, Direction::kIncrease, stored.amount);
  database.Execute("delete from B_MX where lsh=" + std::to_string(stored.serial));
}

// Runs the statements in one transaction; any failure rolls all of them back.
PostingResult InTransaction(LedgerDatabase& database, long long serial, const std::function<void()>& statements) {
  PostingResult result;
  result.serial = serial;
  try {
    Transaction transaction(database);
    statements();
    transaction.Commit();
    result.ok = true;
  } catch (const std::exception& error) {
    result.message = kSaveFailedMessage;
    result.detail = error.what();
  }
  return result;
}

}  // namespace

long long AllocateSerialNumber(LedgerDatabase& database) {
  Transaction transaction(database);
  QueryDataset counter = database.OpenQuery("select lsh from B_LSH where id=?", {1LL});
  if (counter.Eof()) {
    throw DatabaseError("the serial number counter row of B_LSH is missing", 0, 0, counter.SelectText());
  }
  const long long serial = counter.Integer("lsh") + 1;
  database.ExecuteOwn("update B_LSH set lsh=? where id=?", {serial, 1LL});
  transaction.Commit();
  return serial;
}

PostingResult PostEntry(LedgerDatabase& database, const NewEntry& entry) {
  long long serial = 0;
  try {
    serial = AllocateSerialNumber(database);
  } catch (const std::exception& error) {
    return PostingResult{false, 0, error.what(), error.what()};
  }
  return InTransaction(database, serial, [&] {
    database.Execute("insert into B_SZ values(" + std::to_string(serial) + "," + QuoteSql(entry.date) + "," +
                     QuoteSql(entry.source.code) + "," + QuoteSql(entry.destination.code) + "," +
                     SqlNumber(entry.amount) + "," + QuoteSql(entry.memo) + "," + QuoteSql(entry.operator_code) +
                     "," + QuoteSql(entry.operator_name) + "," + std::to_string(KindNumber(entry.kind)) + ")");
    PostSide(database, serial, entry.date, entry.source, SourceDirection(entry.kind), entry.amount, entry.kind,
             entry.operator_code);
    PostSide(database, serial, entry.date, entry.destination, Direction::kIncrease, entry.amount, entry.kind,
             entry.operator_code);
  });
}

PostingResult ModifyEntry(LedgerDatabase& database, const StoredEntry& stored, const EntryChange& change) {
  return InTransaction(database, stored.serial, [&] {
    ReverseEntry(database, stored);
    database.Execute("update B_SZ set ymd=" + QuoteSql(change.date) + ",kmbhs=" + QuoteSql(change.source) +
                     ",kmbhd=" + QuoteSql(change.destination) + ",je=" + SqlNumber(change.amount) +
                     ",zy=" + QuoteSql(change.memo) + ",UID=" + QuoteSql(change.operator_code) +
                     ",UNAME=" + QuoteSql(change.operator_name) + ",lb=" + std::to_string(KindNumber(stored.kind)) +
                     " where lsh=" + std::to_string(stored.serial));
    PostSide(database, stored.serial, change.date, EntrySide{change.source, LevelOfCode(change.source)},
             SourceDirection(stored.kind), change.amount, stored.kind, change.operator_code);
    PostSide(database, stored.serial, change.date, EntrySide{change.destination, LevelOfCode(change.destination)},
             Direction::kIncrease, change.amount, stored.kind, change.operator_code);
  });
}

PostingResult DeleteEntry(LedgerDatabase& database, const StoredEntry& stored) {
  return InTransaction(database, stored.serial, [&] {
    ReverseEntry(database, stored);
    database.Execute("delete from B_SZ where lsh=" + std::to_string(stored.serial));
  });
}

}  // namespace money
