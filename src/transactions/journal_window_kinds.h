#pragma once

#include "transactions/entry_kind.h"

namespace money {

// What the three journal windows (income, expense, transfer) differ in. Each adds through the entry
// dialog and changes through the edit dialog of its kind.
struct JournalWindowKind {
  EntryKind kind;
  const char* form_name;
  const char* caption;
  const char* entry_list;
  const char* settings_section;
  const char* source_code_label;
  const char* source_name_label;
  const char* destination_code_label;
  const char* destination_name_label;
  bool group_footers;  // each group ends with a row totalling its amounts
};

inline constexpr JournalWindowKind kJournalWindowKinds[] = {
    {EntryKind::Income, "TForm8", "收入", "select * from B_SZ where lb=1 order by lsh desc", "SRFrm",
     "源(收入)科目编号", "源(收入)科目名称", "目的(节余)科目编号", "目的(节余)科目名称", true},
    {EntryKind::Expense, "TForm19", "支出", "select * from B_SZ where lb=2 order by lsh desc", "ZCFrm",
     "源(节余)科目编号", "源(节余)科目名称", "目的(支出)科目编号", "目的(支出)科目名称", false},
    {EntryKind::Transfer, "TForm23", "转帐", "select * from B_SZ where lb=3 order by lsh desc", "ZZFrm",
     "源(节余)科目编号", "源(节余)科目名称", "目的(节余)科目编号", "目的(节余)科目名称", false},
};

constexpr const JournalWindowKind& JournalWindowOf(EntryKind kind) {
  return kJournalWindowKinds[static_cast<int>(kind) - 1];
}

}  // namespace money
