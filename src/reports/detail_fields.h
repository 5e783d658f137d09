#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "storage/field_value.h"
#include "storage/lookup_table.h"
#include "storage/rows_by_key.h"

namespace money {

class LedgerDatabase;

// The 类别 of a detail line from its entry kind `lb`: "收入" for 1, "支出" for 2, "转帐" for 3, else "".
std::string KindText(const FieldValue& kind);

// The look-ups of the detail lines while a detail ledger is open: the long name of a line's subject from
// the chart, read whole at opening; the memo and operator name of its entry, read from the journal by
// serial number only for the lines looked at, the last few thousand entries kept. A line whose subject or
// entry is missing, or any line while the look-ups are closed, looks up "".
class DetailLookups {
 public:
  // Prepares the journal's read, then reads the chart; on failure both stay closed. Throws DatabaseError.
  void Open(LedgerDatabase& database);
  void Close();

  std::string SubjectName(std::string_view code) const;
  // Throw DatabaseError when the entry cannot be read; the entries' look-up is then closed until the
  // next opening.
  std::string Memo(std::string_view serial) const;
  std::string OperatorName(std::string_view serial) const;

 private:
  std::string EntryText(std::string_view serial, std::string_view field) const;

  // Reading on demand keeps what it read: that is no change the callers see.
  mutable std::optional<RowsByKey> entries_;
  std::optional<LookupTable> chart_;
};

}  // namespace money
