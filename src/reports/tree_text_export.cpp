#include "reports/tree_text_export.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace money {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kCannotCreateFile = "Cannot create file";
constexpr const char* kCannotWriteFile = "Cannot write file";

void AppendLine(std::string& text, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) text += '\t';
    text += cells[i];
  }
  text += kLineEnd;
}

// The failure as the operator reads it: what failed, the file, and the system's reason.
std::runtime_error FileError(const char* failure, const std::filesystem::path& file, int error) {
  return std::runtime_error(std::string(failure) + " \"" + file.string() + "\". " + std::strerror(error));
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string TreeText(const DisplayedTree& tree) {
  std::string text;
  AppendLine(text, tree.captions);
  text += kLineEnd;
  for (const std::vector<std::string>& row : tree.rows) AppendLine(text, row);
  return text;
}

void WriteTreeText(const std::filesystem::path& file, const DisplayedTree& tree) {
  const std::string text = TreeText(tree);
  std::unique_ptr<std::FILE, FileCloser> out(std::fopen(file.c_str(), "wb"));
  if (!out) throw FileError(kCannotCreateFile, file, errno);
  const bool written = std::fwrite(text.data(), 1, text.size(), out.get()) == text.size();
  const int write_error = errno;
  if (!written) throw FileError(kCannotWriteFile, file, write_error);
  if (std::fclose(out.release()) != 0) throw FileError(kCannotWriteFile, file, errno);
}

}  // namespace money
