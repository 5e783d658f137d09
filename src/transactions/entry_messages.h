#pragma once

#include <string>
#include <string_view>

namespace money {

// The texts of the entry and edit dialogs and of the journal windows.
inline constexpr const char* kRequiredFieldsMissing = " 有必填项没填，请重新输入！ ";
inline constexpr const char* kPickerHint = "   在科目的编辑框内点鼠标右键可选择输入科目！  ";
inline constexpr const char* kSelectEntryToModify = " 请先选择要修改的记录！ ";
inline constexpr const char* kSelectEntryToDelete = " 请先选择要删除的记录！ ";
inline constexpr const char* kConfirmDelete = "    确定要删除所选择的记录吗？    ";

// A typed code that is not in the list of the editor's class.
inline std::string SubjectNotFoundMessage(std::string_view typed) {
  return "  没有找到编号为[" + std::string(typed) + "]的记录！   ";
}

// The conversion error of an amount that is not a number.
inline std::string InvalidNumberMessage(std::string_view typed) {
  return "'" + std::string(typed) + "' is not a valid floating point value";
}

}  // namespace money
