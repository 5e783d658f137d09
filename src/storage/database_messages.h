#pragma once

namespace money {

// The error of any ledger operation while no ledger is open (the file was missing or damaged at start-up).
inline constexpr const char* kNotConnectedMessage = "数据库未连接";

}  // namespace money
