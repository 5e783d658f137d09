#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace money {

class LedgerDatabase;

// One row of the chart of subjects.
struct Subject {
  std::string id;
  std::string parentid;
  std::string mc;
  int js = 0;
  double ye = 0;
  std::string lmc;
  std::string bz;
};

enum class NewChildProblem { kNone, kParentTooDeep, kEmptyName, kSegmentLength };
enum class StoreOutcome { kStored, kDuplicateCode, kFailed };
enum class DeleteOutcome { kDeleted, kClassRoot, kHasChildren, kInUse, kFailed };

std::optional<Subject> FindSubject(LedgerDatabase& database, std::string_view code);

// What keeps a typed segment and name from making a child of `parent`, checked in the windows' order.
NewChildProblem CheckNewChild(const Subject& parent, std::string_view typed_segment, std::string_view name);
// The code length the operator is told to type under `parent`.
int RequiredChildCodeLength(const Subject& parent);
// The row of a new child; CheckNewChild must have found no problem.
Subject NewChildRow(const Subject& parent, std::string_view typed_segment, std::string_view name,
                    std::string_view note);
// Stores a new subject; the store refuses a code that exists already.
StoreOutcome InsertSubject(LedgerDatabase& database, const Subject& subject);

// Renames a subject and changes its note, rebuilding the long names of the subject and of every
// descendant in one transaction: all of them change or none. Throws DatabaseError after rolling back.
void RenameSubject(LedgerDatabase& database, const Subject& subject, std::string_view new_name,
                   std::string_view new_note);

// Deletes a subject that is no class root, has no children and is used by no entry or line.
DeleteOutcome DeleteSubject(LedgerDatabase& database, std::string_view code);

}  // namespace money
