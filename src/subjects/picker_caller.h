#pragma once

#include <optional>
#include <string_view>

#include "subjects/subject_codes.h"

class QLineEdit;

namespace money {

// The two subject sides of an entry or edit dialog.
enum class PickSide { kSource, kDestination };

// A dialog whose subject fields a picker fills: the entry and edit dialogs. A pick writes the subject's
// code into the side's code editor, its name into the side's name editor and its level into the side's
// level. The source side is the code editor dxEdit1 with the name editor dxEdit2, the destination side
// dxEdit3 with dxEdit4.
class PickerCaller {
 public:
  virtual ~PickerCaller() = default;

  virtual QLineEdit& CodeEditor(PickSide side) = 0;
  virtual QLineEdit& NameEditor(PickSide side) = 0;
  virtual void SetLevel(PickSide side, int level) = 0;
};

// The caller tags of the modify-transfer dialog's two code editors.
inline constexpr std::string_view kModifyTransferSourceTag = "Form251";
inline constexpr std::string_view kModifyTransferDestinationTag = "Form252";

// In the picker of `picker_class`, the caller tag `tag` names the side `side` of the dialog `dialog`
// (its form name).
struct PickerRoute {
  SubjectClass picker_class;
  std::string_view tag;
  std::string_view dialog;
  PickSide side;
};

// The caller-tag contract: which dialog and side each picker fills for each tag. The same tag may name
// different sides in different pickers ("Form9": source in the income picker, destination in the savings
// picker).
inline constexpr PickerRoute kPickerRoutes[] = {
    {SubjectClass::kIncome, "Form9", "TForm9", PickSide::kSource},
    {SubjectClass::kIncome, "Form16", "TForm16", PickSide::kSource},
    {SubjectClass::kSavings, "Form9", "TForm9", PickSide::kDestination},
    {SubjectClass::kSavings, "Form16", "TForm16", PickSide::kDestination},
    {SubjectClass::kSavings, "Form20", "TForm20", PickSide::kSource},
    {SubjectClass::kSavings, "Form21", "TForm21", PickSide::kSource},
    {SubjectClass::kSavings, "Form241", "TForm24", PickSide::kSource},
    {SubjectClass::kSavings, "Form242", "TForm24", PickSide::kDestination},
    {SubjectClass::kSavings, kModifyTransferSourceTag, "TForm25", PickSide::kSource},
    {SubjectClass::kSavings, kModifyTransferDestinationTag, "TForm25", PickSide::kDestination},
    {SubjectClass::kExpense, "Form20", "TForm20", PickSide::kDestination},
    {SubjectClass::kExpense, "Form21", "TForm21", PickSide::kDestination},
};

// The dialog and side a tag names in a picker; nothing for a tag the picker does not know.
constexpr std::optional<PickerRoute> RouteOfTag(SubjectClass picker_class, std::string_view tag) {
  for (const PickerRoute& route : kPickerRoutes) {
    if (route.picker_class == picker_class && route.tag == tag) return route;
  }
  return std::nullopt;
}

}  // namespace money
