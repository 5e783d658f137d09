#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "subjects/subject_codes.h"
#include "transactions/entry_kind.h"

namespace money {

class LedgerDatabase;
class LoadedSubjects;
class MessageService;
class PickerCallers;
struct LoginState;

// What the entry and edit dialogs work with, handed to them by start-up.
struct EntryServices {
  LedgerDatabase& database;
  MessageService& messages;
  // The pickers' loaded lists: the look-up of a typed code.
  const LoadedSubjects& subjects;
  // Where each dialog joins, so that a pick can fill its editors.
  PickerCallers& callers;
  // Shows the picker of a class modally after giving it the caller tag.
  std::function<void(SubjectClass, std::string_view tag)> open_picker;
  // The logged-in operator, as the main window holds it.
  const LoginState& login;
  std::filesystem::path settings_file;
  // Re-reads the entry list of the journal window of a kind, when that window is open.
  std::function<void(EntryKind)> reload_journal;
};

}  // namespace money
