#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "subjects/subject_codes.h"

namespace money {

// A subject as a picker lists it: what a pick writes into a dialog, and what a typed code finds.
struct ListedSubject {
  std::string code;
  std::string name;
  int level = 0;

  bool operator==(const ListedSubject&) const = default;
};

// The lists the three subject pickers have loaded, one per class: the look-up tables for codes typed
// into the entry and edit dialogs. Only a picker replaces its class's list, when it reads it (at its
// creation and on "刷新"); nothing here reads the ledger, so a subject added since is not found.
class LoadedSubjects {
 public:
  void Replace(SubjectClass subject_class, std::vector<ListedSubject> subjects);

  // The listed subject of the class whose code is exactly `code`; nothing for a code outside the
  // loaded list, the class root among them.
  std::optional<ListedSubject> Find(SubjectClass subject_class, std::string_view code) const;

 private:
  std::map<SubjectClass, std::map<std::string, ListedSubject, std::less<>>> lists_;
};

}  // namespace money
