#include "subjects/loaded_subjects.h"

namespace money {

void LoadedSubjects::Replace(SubjectClass subject_class, std::vector<ListedSubject> subjects) {
  std::map<std::string, ListedSubject, std::less<>> list;
  // A repeated code keeps its first row, as the picker's tree does.
  for (ListedSubject& subject : subjects) {
    std::string code = subject.code;
    list.try_emplace(std::move(code), std::move(subject));
  }
  lists_[subject_class] = std::move(list);
}

std::optional<ListedSubject> LoadedSubjects::Find(SubjectClass subject_class, std::string_view code) const {
  const auto list = lists_.find(subject_class);
  if (list == lists_.end()) return std::nullopt;
  const auto subject = list->second.find(code);
  if (subject == list->second.end()) return std::nullopt;
  return subject->second;
}

}  // namespace money
