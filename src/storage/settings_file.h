#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace money {

inline constexpr const char* kUnableToWriteTo = "Unable to write to %s";

// A write the file system refused; what() is kUnableToWriteTo with the settings file's path.
class SettingsWriteError : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

// A Windows profile (INI) file, opened by path on every call: nothing is cached, so a value written
// through one object is seen by the next reader. Section and key names are matched ignoring ASCII case
// and surrounding blanks; reading falls back to the default and never fails.
class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path path);

  const std::filesystem::path& Path() const { return path_; }

  // The value after "=" exactly as stored, or the default when the file, section or key is missing.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view default_value) const;
  // A decimal value with optional sign, or hexadecimal after "0x"; anything else gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int default_value) const;

  // Replaces the key's value in place, or adds the key (and its section at the end); every other line
  // is kept as it was. Throws SettingsWriteError when the file system refuses the write.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // Several keys of one section in one rewrite of the file, in the given order: all or none.
  void WriteIntegers(std::string_view section, const std::vector<std::pair<std::string, int>>& values);

 private:
  void WriteStrings(std::string_view section, const std::vector<std::pair<std::string, std::string>>& values);
  std::filesystem::path path_;
};

// The executable's path with its extension replaced by ".INI".
std::filesystem::path SettingsFilePath(const std::filesystem::path& executable);

// The program folder followed by "Tool.ini".
std::filesystem::path BarLayoutFilePath(const std::filesystem::path& program_folder);

}  // namespace money
