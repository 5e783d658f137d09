#pragma once

#include <map>
#include <string>
#include <string_view>

#include "subjects/loaded_subjects.h"
#include "subjects/picker_caller.h"

namespace money {

// The dialogs that the subject pickers fill, by form name ("TForm9"). The entry and edit dialogs join
// when they are created at start-up and live until the program ends.
class PickerCallers {
 public:
  void Register(std::string dialog, PickerCaller& caller);
  PickerCaller* Find(std::string_view dialog) const;

  // Writes a picked subject into the dialog side that the tag names in the picker of `picker_class`
  // (kPickerRoutes). False, with nothing written, for a tag the picker does not know or a dialog that
  // has not joined.
  bool Fill(SubjectClass picker_class, std::string_view tag, const ListedSubject& picked) const;

 private:
  std::map<std::string, PickerCaller*, std::less<>> callers_;
};

}  // namespace money
