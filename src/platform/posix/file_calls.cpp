#include "platform/posix/file_calls.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/file_faults.h"

namespace tx3::platform {
namespace {

// The system's error for each FileFault, in its order.
constexpr int kErrors[] = {ENOSPC, EIO, EACCES, EROFS, EBUSY};

}  // namespace

bool InjectedFileFault(FileCall call) {
  const auto fault = FileCallFault(call);
  if (!fault) return false;
  errno = kErrors[static_cast<size_t>(*fault)];
  return true;
}

}  // namespace tx3::platform

namespace tx3::platform::posix::sys {

int Open(const char* path, int flags, mode_t mode) {
  return InjectedFileFault(FileCall::kOpen) ? -1 : ::open(path, flags, mode);
}

ssize_t Read(int fd, void* buffer, size_t size) {
  return InjectedFileFault(FileCall::kRead) ? -1 : ::read(fd, buffer, size);
}

ssize_t Write(int fd, const void* buffer, size_t size) {
  return InjectedFileFault(FileCall::kWrite) ? -1 : ::write(fd, buffer, size);
}

int Fsync(int fd) {
  return InjectedFileFault(FileCall::kSync) ? -1 : ::fsync(fd);
}

int Syncfs(int fd) {
  return InjectedFileFault(FileCall::kSync) ? -1 : ::syncfs(fd);
}

int Rename(const char* from, const char* to) {
  return InjectedFileFault(FileCall::kRename) ? -1 : ::rename(from, to);
}

int Link(const char* from, const char* to) {
  return InjectedFileFault(FileCall::kRename)
             ? -1
             : ::linkat(AT_FDCWD, from, AT_FDCWD, to, AT_SYMLINK_FOLLOW);
}

int Flock(int fd, int operation) {
  return InjectedFileFault(FileCall::kLock) ? -1 : ::flock(fd, operation);
}

int Mkdir(const char* path, mode_t mode) {
  return InjectedFileFault(FileCall::kMakeFolder) ? -1 : ::mkdir(path, mode);
}

int Stat(const char* path, struct stat* info) {
  return InjectedFileFault(FileCall::kStat) ? -1 : ::stat(path, info);
}

int Lstat(const char* path, struct stat* info) {
  return InjectedFileFault(FileCall::kStat) ? -1 : ::lstat(path, info);
}

int Fstat(int fd, struct stat* info) {
  return InjectedFileFault(FileCall::kStat) ? -1 : ::fstat(fd, info);
}

}  // namespace tx3::platform::posix::sys
