#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/text_helpers.h"

namespace money {

inline constexpr int kMaxSubjectLevel = 7;
inline constexpr int kSegmentLength = 3;
inline constexpr char kLongNameSeparator = '\\';

enum class SubjectClass : char { kIncome = '1', kExpense = '2', kSavings = '3' };

// (length + 2) div 3: a code of 3n - 2 characters is on level n.
int LevelOfCode(std::string_view code);
// The first 3k - 2 characters: the code's ancestor on level k (k = 1: the class root).
std::string CodeAtLevel(std::string_view code, int level);
// The first character of the code.
char ClassOfCode(std::string_view code);
// The code without its last three characters; empty for a class root.
std::string ParentCode(std::string_view code);
// The code itself, its parent, ... , its class root.
std::vector<std::string> AncestorChain(std::string_view code);
// True when the code is the subtree's own code or one of its descendants'.
bool IsInSubtree(std::string_view code, std::string_view subtree_code);
// Whether a code is well formed: 3n - 2 decimal digits, n from 1 to 7, beginning with a class digit.
bool IsWellFormedCode(std::string_view code);
// The child code for a typed segment (blanks trimmed), or nothing when the segment is not three decimal
// digits or the parent is already on the deepest level.
std::optional<std::string> ChildCode(std::string_view parent_code, std::string_view typed_segment);
// The parent's long name, "\", the child's name.
std::string ChildLongName(std::string_view parent_long_name, std::string_view name);

}  // namespace money
