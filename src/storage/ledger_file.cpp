#include "storage/ledger_file.h"

#include <sqlite3.h>
#include <unistd.h>

#include <string>

#include "storage/database_error.h"
#include "storage/schema_sql.h"

namespace money {

std::filesystem::path LedgerPath(const std::filesystem::path& program_folder) {
  return program_folder / kLedgerFileName;
}

namespace {

void ExecuteScript(sqlite3* connection, const char* script, const std::string& name) {
  char* error = nullptr;
  if (sqlite3_exec(connection, script, nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : "unknown error";
    sqlite3_free(error);
    throw DatabaseError("cannot create the ledger " + name + ": " + message, sqlite3_errcode(connection),
                        sqlite3_extended_errcode(connection), "");
  }
}

}  // namespace

void CreateLedger(const std::filesystem::path& file) {
  const std::string name = file.string();
  std::error_code ignored;
  if (std::filesystem::exists(file, ignored)) {
    throw DatabaseError("the file " + name + " already exists", SQLITE_CANTOPEN, SQLITE_CANTOPEN, "");
  }
  // Build the ledger under a temporary name, then link it into place: never a half-made ledger, never
  // an overwritten one.
  const std::string building = name + ".new-" + std::to_string(getpid());
  std::filesystem::remove(building, ignored);
  sqlite3* connection = nullptr;
  const int opened =
      sqlite3_open_v2(building.c_str(), &connection, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  try {
    if (opened != SQLITE_OK) {
      throw DatabaseError("cannot create the ledger " + name + ": " +
                              (connection ? sqlite3_errmsg(connection) : "out of memory"),
                          opened, opened, "");
    }
    ExecuteScript(connection, "pragma synchronous=full", name);
    // Readers never block the writer, and a long list being read stays consistent while entries are saved.
    ExecuteScript(connection, "pragma journal_mode=wal", name);
    ExecuteScript(connection, "begin", name);
    ExecuteScript(connection, kSchemaSql, name);
    ExecuteScript(connection, "commit", name);
    if (sqlite3_close(connection) != SQLITE_OK) {
      throw DatabaseError("cannot close the new ledger " + name, SQLITE_IOERR, SQLITE_IOERR, "");
    }
    connection = nullptr;
    if (link(building.c_str(), name.c_str()) != 0) {
      throw DatabaseError("cannot create the ledger " + name + ": it exists or the folder is not writable",
                          SQLITE_CANTOPEN, SQLITE_CANTOPEN, "");
    }
  } catch (...) {
    sqlite3_close(connection);
    std::filesystem::remove(building, ignored);
    std::filesystem::remove(building + "-wal", ignored);
    std::filesystem::remove(building + "-shm", ignored);
    throw;
  }
  std::filesystem::remove(building, ignored);
}

}  // namespace money
