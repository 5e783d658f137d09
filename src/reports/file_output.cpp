#include "reports/file_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace money {

namespace {

constexpr const char* kCannotCreateFile = "Cannot create file";
constexpr const char* kCannotWriteFile = "Cannot write file";

// The failure as the operator reads it: what failed, the file, and the system's reason.
std::runtime_error FileError(const char* failure, const std::filesystem::path& file, int error) {
  return std::runtime_error(std::string(failure) + " \"" + file.string() + "\". " + std::strerror(error));
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void WriteFileBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::unique_ptr<std::FILE, FileCloser> out(std::fopen(file.c_str(), "wb"));
  if (!out) throw FileError(kCannotCreateFile, file, errno);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
  const int write_error = errno;
  if (!written) throw FileError(kCannotWriteFile, file, write_error);
  if (std::fclose(out.release()) != 0) throw FileError(kCannotWriteFile, file, errno);
}

}  // namespace money
