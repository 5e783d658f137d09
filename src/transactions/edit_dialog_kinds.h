#pragma once

#include <string_view>

#include "subjects/picker_caller.h"
#include "transactions/entry_kind.h"

namespace money {

inline constexpr const char* kEditDialogCaption = "所选记录修改为";

// What the three edit dialogs (modify income, expense, transfer) differ in; all three carry the caption
// kEditDialogCaption, and their subject labels and classes follow from the kind.
struct EditDialogKind {
  EntryKind kind;
  const char* form_name;
  const char* settings_section;
  // What the dialog tells the subject picker for its source and destination code editors.
  std::string_view source_tag;
  std::string_view destination_tag;
};

inline constexpr EditDialogKind kEditDialogKinds[] = {
    {EntryKind::Income, "TForm16", "SRmFrm", "Form16", "Form16"},
    {EntryKind::Expense, "TForm21", "ZCmFrm", "Form21", "Form21"},
    {EntryKind::Transfer, "TForm25", "ZZmFrm", kModifyTransferSourceTag, kModifyTransferDestinationTag},
};

constexpr const EditDialogKind& EditDialogOf(EntryKind kind) { return kEditDialogKinds[static_cast<int>(kind) - 1]; }

}  // namespace money
