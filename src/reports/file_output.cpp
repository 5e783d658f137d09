#include "reports/file_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
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

// A name beside the file that no other writer of this process or another one takes.
std::filesystem::path TemporaryBeside(const std::filesystem::path& file) {
  static std::atomic<unsigned> next{0};
  return file.string() + ".~" + std::to_string(getpid()) + "-" + std::to_string(next++);
}

// 0 when every byte is written, else the reason.
int WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return EIO;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

}  // namespace

// Written beside the file, flushed to the disk and then renamed over it: a write that fails (a full
// disk) leaves the file as it was, never half written.
void WriteFileBytes(const std::filesystem::path& file, std::string_view bytes) {
  const std::filesystem::path temporary = TemporaryBeside(file);
  const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) throw FileError(kCannotCreateFile, file, errno);
  int error = WriteAll(descriptor, bytes);
  if (error == 0 && ::fsync(descriptor) != 0) error = errno;
  if (::close(descriptor) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), file.c_str()) != 0) error = errno;
  if (error == 0) return;
  ::unlink(temporary.c_str());
  throw FileError(kCannotWriteFile, file, error);
}

}  // namespace money
