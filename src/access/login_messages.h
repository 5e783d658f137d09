#pragma once

namespace money {

inline constexpr const char* kLoginCaption = "登录";
inline constexpr const char* kUnknownOperatorMessage = "无效的用户号，请重试！";
inline constexpr const char* kWrongPasswordMessage = "口令错误，请重试！";
inline constexpr const char* kAdministratorHint =
    "  用户编号 9999 为系统管理员，缺省的密码为 3947 。 \r\n  为安全起见，建议第一次使用时修改此密码。";
// Status bar panel 1 after the login: this, the operator code, two blanks, the operator name.
inline constexpr const char* kOperatorPanelPrefix = "操作人员： ";

}  // namespace money
