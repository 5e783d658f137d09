#include "subjects/subject_codes.h"

#include <algorithm>

namespace money {

int LevelOfCode(std::string_view code) { return static_cast<int>((code.size() + 2) / kSegmentLength); }

std::string CodeAtLevel(std::string_view code, int level) {
  const size_t length = static_cast<size_t>(kSegmentLength * level - 2);
  return std::string(code.substr(0, std::min(length, code.size())));
}

char ClassOfCode(std::string_view code) { return code.empty() ? '\0' : code.front(); }

std::string ParentCode(std::string_view code) {
  if (LevelOfCode(code) <= 1) return {};
  return std::string(code.substr(0, code.size() - kSegmentLength));
}

std::vector<std::string> AncestorChain(std::string_view code) {
  std::vector<std::string> chain;
  for (int level = LevelOfCode(code); level >= 1; --level) chain.push_back(CodeAtLevel(code, level));
  return chain;
}

bool IsInSubtree(std::string_view code, std::string_view subtree_code) {
  return code.substr(0, subtree_code.size()) == subtree_code;
}

namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsWellFormedCode(std::string_view code) {
  if (code.empty() || (code.size() + 2) % kSegmentLength != 0) return false;
  if (LevelOfCode(code) > kMaxSubjectLevel || !AllDigits(code)) return false;
  const char subject_class = code.front();
  return subject_class >= '1' && subject_class <= '3';
}

std::optional<std::string> ChildCode(std::string_view parent_code, std::string_view typed_segment) {
  const std::string segment = Trimmed(typed_segment);
  if (LevelOfCode(parent_code) >= kMaxSubjectLevel) return std::nullopt;
  if (segment.size() != kSegmentLength || !AllDigits(segment)) return std::nullopt;
  return std::string(parent_code) + segment;
}

std::string ChildLongName(std::string_view parent_long_name, std::string_view name) {
  std::string long_name(parent_long_name);
  long_name += kLongNameSeparator;
  long_name += name;
  return long_name;
}

}  // namespace money
