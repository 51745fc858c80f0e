#include "platform/posix/engine_files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "platform/posix/host_files.h"

namespace tx3::platform::posix {
namespace {

// Closes a descriptor at the end of a scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

std::string TemporaryNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tx3new." + std::to_string(::getpid()) + "." + std::to_string(++counter);
}

void SyncFolder(const std::string& path) {
  const Descriptor folder(::open(HostParent(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
}

bool WriteDurable(const std::string& path, std::string_view bytes) {
  const Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  return file.get() >= 0 && WriteAll(file.get(), bytes) && ::fsync(file.get()) == 0;
}

}  // namespace

bool ReadHostFile(const std::string& path, size_t maxBytes, std::string* bytes) {
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return false;
  bytes->clear();
  char buffer[65536];
  while (bytes->size() < maxBytes) {
    const size_t wanted = std::min(sizeof buffer, maxBytes - bytes->size());
    const ssize_t got = ::read(file.get(), buffer, wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    bytes->append(buffer, static_cast<size_t>(got));
  }
  return true;
}

ReplaceOutcome ReplaceHostFile(const std::string& path, std::string_view bytes) {
  // The lock is held on the old file until the new one has replaced it.
  const Descriptor existing(::open(path.c_str(), O_RDWR | O_CLOEXEC));
  if (existing.get() < 0 && errno != ENOENT) return ReplaceOutcome::kFailed;
  if (existing.get() >= 0 && ::flock(existing.get(), LOCK_EX | LOCK_NB) != 0) {
    return errno == EWOULDBLOCK ? ReplaceOutcome::kLocked : ReplaceOutcome::kFailed;
  }
  const std::string temporary = TemporaryNameBeside(path);
  if (!WriteDurable(temporary, bytes) || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return ReplaceOutcome::kFailed;
  }
  SyncFolder(path);
  return ReplaceOutcome::kDone;
}

}  // namespace tx3::platform::posix
