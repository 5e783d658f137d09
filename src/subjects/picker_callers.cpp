#include "subjects/picker_callers.h"

#include <QLineEdit>

namespace money {

void PickerCallers::Register(std::string dialog, PickerCaller& caller) { callers_[std::move(dialog)] = &caller; }

PickerCaller* PickerCallers::Find(std::string_view dialog) const {
  const auto caller = callers_.find(dialog);
  return caller == callers_.end() ? nullptr : caller->second;
}

bool PickerCallers::Fill(SubjectClass picker_class, std::string_view tag, const ListedSubject& picked) const {
  const std::optional<PickerRoute> route = RouteOfTag(picker_class, tag);
  if (!route) return false;
  PickerCaller* caller = Find(route->dialog);
  if (caller == nullptr) return false;
  caller->CodeEditor(route->side).setText(QString::fromStdString(picked.code));
  caller->NameEditor(route->side).setText(QString::fromStdString(picked.name));
  caller->SetLevel(route->side, picked.level);
  return true;
}

}  // namespace money
