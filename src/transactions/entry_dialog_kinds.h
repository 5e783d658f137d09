#pragma once

#include <string_view>

#include "transactions/entry_kind.h"

namespace money {

// What the three entry dialogs (add income, add expense, add transfer) differ in; the subject labels
// and classes follow from the kind.
struct EntryDialogKind {
  EntryKind kind;
  const char* form_name;
  const char* caption;
  const char* settings_section;
  const char* close_caption;
  // What the dialog tells the subject picker for its source and destination code editors.
  std::string_view source_tag;
  std::string_view destination_tag;
};

inline constexpr EntryDialogKind kEntryDialogKinds[] = {
    {EntryKind::Income, "TForm9", "添加收入", "SRiFrm", "退出", "Form9", "Form9"},
    {EntryKind::Expense, "TForm20", "添加支出", "ZCiFrm", "退出", "Form20", "Form20"},
    {EntryKind::Transfer, "TForm24", "转帐", "ZZiFrm", "取消", "Form241", "Form242"},
};

constexpr const EntryDialogKind& EntryDialogOf(EntryKind kind) { return kEntryDialogKinds[static_cast<int>(kind) - 1]; }

}  // namespace money
