#pragma once

namespace money {

// Shown when saving, changing or deleting an entry fails; nothing of it was kept.
inline constexpr const char* kSaveFailedMessage = " 存盘失败！ ";

}  // namespace money
