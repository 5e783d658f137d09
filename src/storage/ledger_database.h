#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "storage/database_error.h"
#include "storage/query_dataset.h"
#include "storage/statement.h"
#include "storage/table_dataset.h"

struct sqlite3;

namespace money {

// Receives the text of every statement run on the ledger, as the caller wrote it, in order.
using StatementObserver = std::function<void(std::string_view)>;

// A read-only connection to a ledger file, closed when the object goes.
class ReadConnection {
 public:
  explicit ReadConnection(const std::filesystem::path& file);
  ~ReadConnection();
  ReadConnection(const ReadConnection&) = delete;
  ReadConnection& operator=(const ReadConnection&) = delete;
  sqlite3* Handle() const { return connection_; }

 private:
  sqlite3* connection_;
};

// The one connection to the ledger file. It may be not connected (the file was missing or damaged):
// then every operation fails with a DatabaseError where it happens.
class LedgerDatabase {
 public:
  LedgerDatabase();
  ~LedgerDatabase();
  LedgerDatabase(const LedgerDatabase&) = delete;
  LedgerDatabase& operator=(const LedgerDatabase&) = delete;

  // Closes any open file, then opens an existing ledger. Never creates a file; a file that is not a
  // ledger (not a database, or without the seven tables) is refused as damaged. Throws DatabaseError.
  void Open(const std::filesystem::path& file);
  void Close();
  bool Connected() const { return connection_ != nullptr; }
  const std::filesystem::path& File() const { return file_; }

  // Runs one INSERT, UPDATE or DELETE written in the ledger's SQL dialect.
  void Execute(std::string_view statement);

  // One transaction at a time. BeginTrans takes the write lock at once, waiting for other processes.
  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  bool InTransaction() const { return in_transaction_; }

  QueryDataset OpenQuery(std::string select_text) { return QueryDataset(*this, std::move(select_text)); }
  // A long list read a batch at a time (a journal): it runs on a read-only connection of its own, so
  // while it stays half read it never holds a snapshot of this connection, which would keep this
  // program's own saves from starting once another process has written.
  QueryDataset OpenCursor(std::string select_text);
  QueryDataset OpenQuery(std::string select_text, std::vector<FieldValue> parameters) {
    return QueryDataset(*this, std::move(select_text), std::move(parameters));
  }
  // Runs a statement of our own whose "?" marks take the given values; returns the rows it changed.
  long long ExecuteOwn(std::string_view statement, const std::vector<FieldValue>& parameters);
  TableDataset OpenTable(std::string table, TableOptions options = {}) {
    return TableDataset(*this, std::move(table), std::move(options));
  }

  // For filling a new file only (sample ledgers): commits stop waiting for the disk until full syncing is
  // set again or the next Open.
  void RelaxDurabilityForBulkLoad() { RunOwn("pragma synchronous=off"); }

  void SetStatementObserver(StatementObserver observer) { observer_ = std::move(observer); }

  // For the datasets: a statement of the ledger's dialect, and one of our own with bound values.
  Statement Prepare(std::string_view statement);
  Statement PrepareOwn(std::string_view statement);
  // A read of the ledger's dialect, or of our own (with bound values) when `own`.
  Statement PrepareRead(std::string_view statement, bool own);
  // The same read on a connection of its own (see OpenCursor).
  Statement PrepareReadOn(sqlite3* connection, std::string_view statement);
  long long LastInsertRowKey() const;
  long long ChangedRows() const;

 private:
  sqlite3* RequireConnection(std::string_view statement) const;
  void RunOwn(std::string_view statement);

  sqlite3* connection_ = nullptr;
  std::filesystem::path file_;
  bool in_transaction_ = false;
  StatementObserver observer_;
};

// Rolls back on destruction unless committed, so no failure leaves a transaction open.
class Transaction {
 public:
  explicit Transaction(LedgerDatabase& database) : database_(database) { database_.BeginTrans(); }
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit();

 private:
  LedgerDatabase& database_;
  bool finished_ = false;
};

}  // namespace money
