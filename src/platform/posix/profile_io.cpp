#include "platform/posix/profile_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

namespace tx3::platform::posix {
namespace {

FileIdentity IdentityOf(const struct stat& info) {
  FileIdentity identity;
  identity.device = info.st_dev;
  identity.inode = info.st_ino;
  identity.size = static_cast<int64_t>(info.st_size);
  identity.modified = info.st_mtim;
  return identity;
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool ReadAll(int fd, int64_t sizeHint, std::string* bytes) {
  bytes->clear();
  bytes->reserve(static_cast<size_t>(sizeHint > 0 ? sizeHint : 0));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes->append(buffer, static_cast<size_t>(got));
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(put));
  }
  return true;
}

// A name no other writer can pick: process id, a counter and random bits, created O_EXCL.
std::string TempName(const std::string& folder, const std::string& base) {
  static std::atomic<uint64_t> counter{0};
  static thread_local std::mt19937_64 random{std::random_device{}()};
  return folder + "/" + std::string(kProfileTempPrefix) + base + "." + std::to_string(::getpid()) +
         "." + std::to_string(counter++) + "." + std::to_string(random() % 1000000) + ".tmp";
}

std::string BaseOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool FileIdentity::operator==(const FileIdentity& other) const {
  return device == other.device && inode == other.inode && size == other.size &&
         modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

ReadOutcome ReadProfileBytes(const std::string& path, const FileIdentity* known,
                             FileIdentity* identity, std::string* bytes) {
  const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0)
    return errno == ENOENT || errno == ENOTDIR ? ReadOutcome::kMissing : ReadOutcome::kFailed;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return ReadOutcome::kFailed;
  if (S_ISDIR(info.st_mode)) return ReadOutcome::kFailed;
  *identity = IdentityOf(info);
  if (known != nullptr && *known == *identity) return ReadOutcome::kUnchanged;
  return ReadAll(fd.get(), identity->size, bytes) ? ReadOutcome::kRead : ReadOutcome::kFailed;
}

FolderLock::FolderLock(const std::string& folder) {
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd_);
      fd_ = -1;
      return;
    }
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string ReplacementTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

void RemoveOrphanTemps(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.starts_with(kProfileTempPrefix) && name.ends_with(".tmp")) {
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
  }
  ::closedir(dir);
}

bool ReplaceProfileFile(const std::string& path, std::string_view bytes, FileIdentity* identity) {
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  // The read-only attribute is the absence of write bits, whoever the caller is (root too).
  if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  const std::string temp = TempName(FolderOf(path), BaseOf(path));
  const Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.get() < 0) return false;
  bool ok = WriteAll(fd.get(), bytes);
  if (ok && exists) {
    ok = ::fchmod(fd.get(), old.st_mode & 07777) == 0;
    if (ok && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
      (void)!::fchown(fd.get(), old.st_uid, old.st_gid);  // only root may; others keep theirs
    }
  }
  struct stat info {};
  ok = ok && ::fstat(fd.get(), &info) == 0 && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  *identity = IdentityOf(info);
  return true;
}

void SyncPath(const std::string& path, bool folder) {
  const Fd fd(::open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace tx3::platform::posix
