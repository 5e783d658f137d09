#pragma once

namespace money {

// The texts of the operator window TForm10.
inline constexpr const char* kOperatorWindowCaption = "工作人员功能定义";
inline constexpr const char* kOperatorInputMissing = "NULL!";
// The code box's own refusal of a code of one to three digits.
inline constexpr const char* kInvalidCodeInput = "Invalid input value.  Use escape key to abandon changes";
inline constexpr const char* kSelectOperatorToDelete = "    请先选择要删除的工作人员 ！   ";
inline constexpr const char* kAdministratorNotDeleted = "  9999 为系统管理员，不能删除！   ";
inline constexpr const char* kSelectOperatorToClear = "    请先选择要清除口令的用户！   ";
inline constexpr const char* kPasswordCleared = "选定用户的口令已经清空！";

// The texts of the change-password window TForm17.
inline constexpr const char* kChangePasswordCaption = "修改口令";
inline constexpr const char* kNewPasswordEmpty = "  新口令不能为空！ ";
inline constexpr const char* kNewPasswordsDiffer = "两次输入的新口令不相符！ ";
inline constexpr const char* kOldPasswordWrong = "  原口令错误，口令修改失败！ ";
inline constexpr const char* kPasswordChanged = "  口令修改成功！";

}  // namespace money
