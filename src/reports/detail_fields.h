#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "storage/field_value.h"
#include "storage/lookup_table.h"

namespace money {

class LedgerDatabase;

// The 类别 of a detail line from its entry kind `lb`: "收入" for 1, "支出" for 2, "转帐" for 3, else "".
std::string KindText(const FieldValue& kind);

// The look-ups of the detail lines, read once per opening of a detail ledger: the long name of a line's
// subject from the chart, the memo and operator name of its entry from the journal. A line whose subject
// or entry is missing, or any line while the look-ups are closed, looks up "".
class DetailLookups {
 public:
  // Reads the journal, then the chart; on failure both stay closed. Throws DatabaseError.
  void Open(LedgerDatabase& database);
  void Close();

  std::string SubjectName(std::string_view code) const;
  std::string Memo(std::string_view serial) const;
  std::string OperatorName(std::string_view serial) const;

 private:
  std::optional<LookupTable> journal_;
  std::optional<LookupTable> chart_;
};

}  // namespace money
