#pragma once

#include <string>

#include "transactions/entry_kind.h"

namespace money {

class LedgerDatabase;

// One subject of an entry with the level its balance chain starts from.
struct EntrySide {
  std::string code;
  int level = 0;
};

// A new entry as the entry dialogs hand it over.
struct NewEntry {
  EntryKind kind = EntryKind::Income;
  std::string date;  // "yyyy.MM.dd"
  EntrySide source;
  EntrySide destination;
  double amount = 0;
  std::string memo;
  std::string operator_code;
  std::string operator_name;
};

// An entry as it is stored: what a change or a delete must undo.
struct StoredEntry {
  EntryKind kind = EntryKind::Income;
  long long serial = 0;
  std::string source;
  std::string destination;
  double amount = 0;
};

// The new values of a changed entry.
struct EntryChange {
  std::string date;
  std::string source;
  std::string destination;
  double amount = 0;
  std::string memo;
  std::string operator_code;
  std::string operator_name;
};

// The outcome of a writing operation. On failure nothing of the operation remains in the books and
// `message` is what the caller shows: the save-failed text, or the database's own text when the serial
// number counter could not be used. `detail` always carries the database's text of the failure.
struct PostingResult {
  bool ok = false;
  long long serial = 0;
  std::string message;
  std::string detail;
};

// Takes the next serial number from the counter row and writes it back at once, on its own: a later
// failure of the entry does not give the number back. Throws DatabaseError.
long long AllocateSerialNumber(LedgerDatabase& database);

PostingResult PostEntry(LedgerDatabase& database, const NewEntry& entry);
PostingResult ModifyEntry(LedgerDatabase& database, const StoredEntry& stored, const EntryChange& change);
PostingResult DeleteEntry(LedgerDatabase& database, const StoredEntry& stored);

}  // namespace money
