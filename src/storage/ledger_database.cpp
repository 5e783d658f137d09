#include "storage/ledger_database.h"

#include <sqlite3.h>

#include "storage/database_messages.h"
#include "storage/sql_dialect.h"

namespace money {

namespace {

constexpr int kBusyTimeoutMs = 15000;
constexpr long long kLedgerTableCount = 7;

sqlite3* OpenConnection(const std::string& name, int flags) {
  sqlite3* connection = nullptr;
  if (sqlite3_open_v2(name.c_str(), &connection, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
    const std::string message = connection ? sqlite3_errmsg(connection) : "out of memory";
    const int code = connection ? sqlite3_errcode(connection) : SQLITE_NOMEM;
    sqlite3_close(connection);
    throw DatabaseError(message, code, code, "");
  }
  return connection;
}

// The settings every connection to a ledger gets.
void Configure(sqlite3* connection) {
  sqlite3_busy_timeout(connection, kBusyTimeoutMs);
  sqlite3_extended_result_codes(connection, 1);
  // Subject codes are digits: a case-sensitive LIKE changes no result and lets prefix matches use indexes.
  for (const char* pragma : {"pragma foreign_keys=on", "pragma synchronous=full", "pragma case_sensitive_like=on"}) {
    if (sqlite3_exec(connection, pragma, nullptr, nullptr, nullptr) != SQLITE_OK) {
      ThrowDatabaseError(connection, pragma);
    }
  }
}

}  // namespace

LedgerDatabase::LedgerDatabase() = default;

LedgerDatabase::~LedgerDatabase() { Close(); }

void LedgerDatabase::Open(const std::filesystem::path& file) {
  Close();
  const std::string name = file.string();
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(file, ignored)) {
    throw DatabaseError("the ledger file " + name + " does not exist", SQLITE_CANTOPEN, SQLITE_CANTOPEN, "");
  }
  connection_ = OpenConnection(name, SQLITE_OPEN_READWRITE);
  file_ = file;
  try {
    Configure(connection_);
    Statement tables = PrepareOwn(
        "select count(*) from sqlite_master where type='table' and name in "
        "('B_KM','B_SZ','B_MX','B_LSH','B_USER','B_GN','B_USRGN')");
    tables.Step();
    if (tables.Integer(0) != kLedgerTableCount) {
      throw DatabaseError("the file " + name + " is not a ledger", SQLITE_NOTADB, SQLITE_NOTADB, "");
    }
  } catch (...) {
    Close();
    throw;
  }
}

void LedgerDatabase::Close() {
  if (connection_ == nullptr) return;
  if (in_transaction_) RollbackTrans();
  sqlite3_close_v2(connection_);
  connection_ = nullptr;
  file_.clear();
}

sqlite3* LedgerDatabase::RequireConnection(std::string_view statement) const {
  if (connection_ == nullptr) {
    throw DatabaseError(kNotConnectedMessage, SQLITE_MISUSE, SQLITE_MISUSE, std::string(statement));
  }
  return connection_;
}

Statement LedgerDatabase::Prepare(std::string_view statement) {
  sqlite3* connection = RequireConnection(statement);
  if (observer_) observer_(statement);
  return Statement(connection, AdaptStatement(statement), std::string(statement));
}

Statement LedgerDatabase::PrepareOwn(std::string_view statement) {
  sqlite3* connection = RequireConnection(statement);
  if (observer_) observer_(statement);
  return Statement(connection, statement, std::string(statement));
}

Statement LedgerDatabase::PrepareRead(std::string_view statement, bool own) {
  return own ? PrepareOwn(statement) : Prepare(statement);
}

Statement LedgerDatabase::PrepareReadOn(sqlite3* connection, std::string_view statement) {
  if (observer_) observer_(statement);
  return Statement(connection, AdaptStatement(statement), std::string(statement));
}

QueryDataset LedgerDatabase::OpenCursor(std::string select_text) {
  RequireConnection(select_text);
  return QueryDataset(*this, std::move(select_text), std::make_unique<ReadConnection>(file_));
}

ReadConnection::ReadConnection(const std::filesystem::path& file)
    : connection_(OpenConnection(file.string(), SQLITE_OPEN_READONLY)) {
  try {
    Configure(connection_);
  } catch (...) {
    sqlite3_close_v2(connection_);
    throw;
  }
}

ReadConnection::~ReadConnection() { sqlite3_close_v2(connection_); }

void LedgerDatabase::RunOwn(std::string_view statement) {
  Statement prepared = PrepareOwn(statement);
  while (prepared.Step()) {
  }
}

void LedgerDatabase::Execute(std::string_view statement) {
  Statement prepared = Prepare(statement);
  while (prepared.Step()) {
  }
}

long long LedgerDatabase::ExecuteOwn(std::string_view statement, const std::vector<FieldValue>& parameters) {
  Statement prepared = PrepareOwn(statement);
  for (size_t i = 0; i < parameters.size(); ++i) prepared.Bind(static_cast<int>(i) + 1, parameters[i]);
  while (prepared.Step()) {
  }
  return ChangedRows();
}

void LedgerDatabase::BeginTrans() {
  if (in_transaction_) {
    throw DatabaseError("a transaction is already open", SQLITE_MISUSE, SQLITE_MISUSE, "begin immediate");
  }
  RunOwn("begin immediate");
  in_transaction_ = true;
}

void LedgerDatabase::CommitTrans() {
  RunOwn("commit");
  in_transaction_ = false;
}

void LedgerDatabase::RollbackTrans() {
  in_transaction_ = false;
  // After some errors SQLite has already rolled back by itself; then there is nothing left to undo.
  if (connection_ != nullptr && sqlite3_get_autocommit(connection_) == 0) RunOwn("rollback");
}

long long LedgerDatabase::LastInsertRowKey() const { return sqlite3_last_insert_rowid(RequireConnection("")); }

long long LedgerDatabase::ChangedRows() const { return sqlite3_changes64(RequireConnection("")); }

Transaction::~Transaction() {
  if (finished_) return;
  try {
    database_.RollbackTrans();
  } catch (...) {
    // A destructor must not throw; the connection rolls back an unfinished transaction when it closes.
  }
}

void Transaction::Commit() {
  database_.CommitTrans();
  finished_ = true;
}

}  // namespace money
