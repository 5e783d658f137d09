#pragma once

namespace money {

inline constexpr const char* kProgramTitle = "禾川家庭财务软件";
inline constexpr const char* kOpenChildrenQuestion = "    还有子窗体未关闭，确定要退出系统吗？    ";
inline constexpr const char* kCalculatorMissingMessage = "   抱歉，没有找到系统的计算器程序！ ";
// Status bar panel 2.
inline constexpr const char* kStatusInformation = "记录收入、支出与转帐，随时查询科目余额和期间发生数";
inline constexpr const char* kAboutCaption = "关于 . . .";
// Printed instead of starting when there is no screen to show the windows on.
inline constexpr const char* kNoDisplayMessage =
    "money: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); on a machine without a screen "
    "start it under a virtual one: xvfb-run -a build/bin/money";

}  // namespace money
