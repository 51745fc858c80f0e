#include "platform/posix/profile_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "platform/posix/file_calls.h"
#include "platform/posix/host_files.h"

namespace tx3::platform::posix {
namespace {

FileIdentity IdentityOf(const struct stat& info) {
  FileIdentity identity;
  identity.device = static_cast<uint64_t>(info.st_dev);
  identity.fileIndex = static_cast<uint64_t>(info.st_ino);
  identity.size = static_cast<int64_t>(info.st_size);
  identity.modifiedNs =
      static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
  return identity;
}

class FolderLock final : public ProfileLock {
 public:
  explicit FolderLock(int fd) : fd_(fd) {}

 private:
  Descriptor fd_;  // closing releases the lock
};

}  // namespace

ReadOutcome ProfileHostIo::Read(const std::string& path, const FileIdentity* known,
                                FileIdentity* identity, std::string* bytes) {
  // Without O_NONBLOCK a FIFO in place of the file would wait for a writer forever.
  const Descriptor fd(sys::Open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid())
    return errno == ENOENT || errno == ENOTDIR ? ReadOutcome::kMissing : ReadOutcome::kFailed;
  struct stat info {};
  if (sys::Fstat(fd.get(), &info) != 0) return ReadOutcome::kFailed;
  // A folder, a device or a FIFO is no settings file: it is neither read nor replaced.
  if (!S_ISREG(info.st_mode)) return ReadOutcome::kFailed;
  *identity = IdentityOf(info);
  if (known != nullptr && *known == *identity) return ReadOutcome::kUnchanged;
  return ReadAll(fd.get(), std::numeric_limits<size_t>::max(), bytes,
                 static_cast<size_t>(identity->size))
             ? ReadOutcome::kRead
             : ReadOutcome::kFailed;
}

std::string ProfileHostIo::ReplacementTarget(const std::string& path) {
  struct stat info {};
  if (sys::Lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

std::string ProfileHostIo::FolderOf(const std::string& path) {
  return HostParent(path);
}

// The read-only attribute is the absence of write bits, whoever the caller is (root too).
bool ProfileHostIo::Writable(const std::string& path) {
  struct stat info {};
  if (sys::Stat(path.c_str(), &info) == 0)
    return !S_ISDIR(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
  return errno == ENOENT && IsHostDirectory(HostParent(path));
}

std::unique_ptr<ProfileLock> ProfileHostIo::LockFolder(const std::string& folder) {
  const int fd = sys::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  auto lock = std::make_unique<FolderLock>(fd);
  if (LockExclusive(fd, /*wait=*/true) != LockResult::kHeld) return nullptr;
  return lock;
}

bool ProfileHostIo::Replace(const std::string& path, std::string_view bytes, bool durable,
                            FileIdentity* identity) {
  struct stat old {};
  const bool exists = sys::Stat(path.c_str(), &old) == 0;
  // Without the old file's status its mode and owner could not be kept.
  if (!exists && errno != ENOENT) return false;
  // The read-only attribute is the absence of write bits, whoever the caller is (root too).
  if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  struct stat info {};
  if (!ReplaceByNewFile(path, bytes, Replacement{exists ? &old : nullptr, durable}, &info)) {
    return false;
  }
  *identity = IdentityOf(info);
  return true;
}

}  // namespace tx3::platform::posix
