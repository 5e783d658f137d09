#pragma once

#include <filesystem>

namespace money {

inline constexpr const char* kLedgerFileName = "money.mdb";

// Shown once at start-up when the ledger cannot be opened.
inline constexpr const char* kConnectionFailedMessage =
    " 数据库连接失败。可能是因为没有找到 \r\n数据库文件或数据库文件已经损坏！";

// The ledger of a program folder: the folder followed by "money.mdb".
std::filesystem::path LedgerPath(const std::filesystem::path& program_folder);

// Creates a new delivered ledger (tables, seed rows, indexes) at `file`. Refuses an existing file; the
// file appears complete or not at all. Throws DatabaseError.
void CreateLedger(const std::filesystem::path& file);

}  // namespace money
