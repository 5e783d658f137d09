#include "storage/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <optional>
#include <system_error>
#include <vector>

namespace money {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view one, std::string_view other) {
  one = TrimBlanks(one);
  other = TrimBlanks(other);
  if (one.size() != other.size()) return false;
  for (size_t i = 0; i < one.size(); ++i) {
    if (AsciiLower(one[i]) != AsciiLower(other[i])) return false;
  }
  return true;
}

// ---- the file's lines ----

// One line of the file with its own terminator ("\r\n", "\n", or none on a last unterminated line),
// so that a rewrite gives back every untouched line byte for byte.
struct Line {
  std::string text;
  std::string ending;
};

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < content.size()) {
    const size_t newline = content.find('\n', start);
    if (newline == std::string_view::npos) {
      lines.push_back({std::string(content.substr(start)), ""});
      break;
    }
    std::string_view text = content.substr(start, newline - start);
    if (!text.empty() && text.back() == '\r') {
      text.remove_suffix(1);
      lines.push_back({std::string(text), "\r\n"});
    } else {
      lines.push_back({std::string(text), "\n"});
    }
    start = newline + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<Line>& lines) {
  std::string content;
  for (const Line& line : lines) content += line.text + line.ending;
  return content;
}

enum class LineKind { kSection, kKey, kOther };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;
  size_t value_start = 0;  // for a key: where the value begins in the line's text
};

ParsedLine Parse(std::string_view text, bool first_line) {
  size_t skipped = 0;
  if (first_line && text.starts_with(kByteOrderMark)) skipped = kByteOrderMark.size();
  const std::string_view body = text.substr(skipped);
  const std::string_view trimmed = TrimBlanks(body);
  if (trimmed.starts_with('[')) {
    const size_t close = trimmed.find(']');
    if (close == std::string_view::npos) return {};
    return {LineKind::kSection, TrimBlanks(trimmed.substr(1, close - 1)), 0};
  }
  if (trimmed.starts_with(';')) return {};
  const size_t equals = body.find('=');
  if (equals == std::string_view::npos) return {};
  const std::string_view name = TrimBlanks(body.substr(0, equals));
  if (name.empty()) return {};
  return {LineKind::kKey, name, skipped + equals + 1};
}

// Where a key is, or where it would go. Only the first section of a name counts.
struct Location {
  std::optional<size_t> section;  // index of the section's header line
  std::optional<size_t> key;      // index of the key's line
  size_t value_start = 0;
  size_t end_of_section = 0;  // index after the section's last non-blank line
};

Location Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Location location;
  for (size_t i = 0; i < lines.size(); ++i) {
    const ParsedLine line = Parse(lines[i].text, i == 0);
    if (line.kind == LineKind::kSection) {
      if (location.section) break;
      if (SameName(line.name, section)) {
        location.section = i;
        location.end_of_section = i + 1;
      }
      continue;
    }
    if (!location.section) continue;
    if (!TrimBlanks(lines[i].text).empty()) location.end_of_section = i + 1;
    if (line.kind == LineKind::kKey && SameName(line.name, key)) {
      location.key = i;
      location.value_start = line.value_start;
      break;
    }
  }
  return location;
}

std::optional<int> ParseInteger(std::string_view text) {
  text = TrimBlanks(text);
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
    if (text.starts_with('-')) return std::nullopt;
  } else if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// ---- file access ----

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int Get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) return std::nullopt;
  std::string content;
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
    if (count == 0) return content;
    if (count < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    content.append(buffer, static_cast<size_t>(count));
  }
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t count = ::write(fd, content.data(), content.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<size_t>(count));
  }
  return true;
}

// Whether the file system lets us replace `target`. Write bits are checked by hand because the
// rename below would replace a read-only file, and a privileged user passes access() regardless.
bool MayWrite(const fs::path& target) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  struct stat folder_status {};
  if (::stat(folder.c_str(), &folder_status) != 0 || !S_ISDIR(folder_status.st_mode)) return false;
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return false;
  struct stat file_status {};
  if (::stat(target.c_str(), &file_status) != 0) return errno == ENOENT;
  if (!S_ISREG(file_status.st_mode)) return false;
  if ((file_status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::access(target.c_str(), W_OK) == 0;
}

// Writes the whole content to a new file beside `target` and renames it over `target`, so that the
// file is always either the old or the new one. The new file keeps the old one's permissions.
bool ReplaceFile(const fs::path& target, std::string_view content) {
  static std::atomic<unsigned> counter{0};
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  struct stat old_status {};
  const bool existed = ::stat(target.c_str(), &old_status) == 0;

  fs::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = folder / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                          std::to_string(counter++) + ".tmp");
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  FileDescriptor file(fd);
  const bool written = (!existed || ::fchmod(file.Get(), old_status.st_mode & 07777) == 0) &&
                       WriteAll(file.Get(), content) && ::fsync(file.Get()) == 0 && file.Close() &&
                       ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!written) {
    ::unlink(temporary.c_str());
    return false;
  }
  FileDescriptor folder_handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder_handle.Get() >= 0) ::fsync(folder_handle.Get());
  return true;
}

std::string UnableToWriteTo(const fs::path& path) {
  std::string message = kUnableToWriteTo;
  message.replace(message.find("%s"), 2, path.string());
  return message;
}

// Sets a key's value in the lines: in place where the key exists, else appended to its section (made at
// the end of the file when missing), with the file's own line ending.
void SetValue(std::vector<Line>& lines, std::string_view section, std::string_view key, std::string_view value) {
  const Location location = Find(lines, section, key);
  if (location.key) {
    std::string& text = lines[*location.key].text;
    text.replace(location.value_start, std::string::npos, value);
  } else {
    std::string newline = "\n";
    for (const Line& line : lines) {
      if (!line.ending.empty()) {
        newline = line.ending;
        break;
      }
    }
    std::vector<Line> added;
    if (!location.section) added.push_back({"[" + std::string(TrimBlanks(section)) + "]", newline});
    added.push_back({std::string(TrimBlanks(key)) + "=" + std::string(value), newline});
    const size_t at = location.section ? location.end_of_section : lines.size();
    if (at > 0 && lines[at - 1].ending.empty()) lines[at - 1].ending = newline;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  }
}

}  // namespace

SettingsFile::SettingsFile(std::filesystem::path path) : path_(std::move(path)) {}

std::string SettingsFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view default_value) const {
  const std::vector<Line> lines = SplitLines(ReadWholeFile(path_).value_or(""));
  const Location location = Find(lines, section, key);
  if (!location.key) return std::string(default_value);
  return lines[*location.key].text.substr(location.value_start);
}

int SettingsFile::ReadInteger(std::string_view section, std::string_view key, int default_value) const {
  const std::vector<Line> lines = SplitLines(ReadWholeFile(path_).value_or(""));
  const Location location = Find(lines, section, key);
  if (!location.key) return default_value;
  return ParseInteger(std::string_view(lines[*location.key].text).substr(location.value_start)).value_or(default_value);
}

void SettingsFile::WriteStrings(std::string_view section,
                                const std::vector<std::pair<std::string, std::string>>& values) {
  // A symbolic link stays a link: its target is what gets rewritten.
  std::error_code ignored;
  const fs::path target = fs::is_symlink(path_, ignored) ? fs::weakly_canonical(path_, ignored) : path_;
  if (!MayWrite(target)) throw SettingsWriteError(UnableToWriteTo(path_));

  std::optional<std::string> content = fs::exists(target, ignored) ? ReadWholeFile(target) : std::string();
  if (!content) throw SettingsWriteError(UnableToWriteTo(path_));
  std::vector<Line> lines = SplitLines(*content);
  for (const auto& [key, value] : values) SetValue(lines, section, key, value);
  if (!ReplaceFile(target, JoinLines(lines))) throw SettingsWriteError(UnableToWriteTo(path_));
}

void SettingsFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  WriteStrings(section, {{std::string(key), std::string(value)}});
}

void SettingsFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteIntegers(std::string_view section, const std::vector<std::pair<std::string, int>>& values) {
  std::vector<std::pair<std::string, std::string>> texts;
  for (const auto& [key, value] : values) texts.emplace_back(key, std::to_string(value));
  WriteStrings(section, texts);
}

std::filesystem::path SettingsFilePath(const std::filesystem::path& executable) {
  std::filesystem::path path = executable;
  path.replace_extension(".INI");
  return path;
}

std::filesystem::path BarLayoutFilePath(const std::filesystem::path& program_folder) {
  return program_folder / "Tool.ini";
}

}  // namespace money
