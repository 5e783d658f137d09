#pragma once

#include <filesystem>
#include <string_view>

namespace money {

// Writes the bytes as the whole file, replacing any file of that name; a write that fails leaves that
// file as it was. Throws std::runtime_error with the system's reason ("Cannot create file "...".
// Permission denied") when the file cannot be written.
void WriteFileBytes(const std::filesystem::path& file, std::string_view bytes);

}  // namespace money
