#include "platform/posix/host_files.h"
#include "platform/posix/file_calls.h"
#include "platform/posix/profile_io.h"
#include "platform/temporary_name.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace tx3::platform::posix {

bool IsHostDirectory(const std::string& path) {
  struct stat info {};
  return sys::Stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool HostEntryExists(const std::string& path) {
  struct stat info {};
  return sys::Lstat(path.c_str(), &info) == 0;
}

bool IsMissingPathError(int error) {
  return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG || error == ELOOP;
}

bool MakeHostFolders(const std::string& path) {
  if (path.empty()) return false;
  if (IsHostDirectory(path)) return true;
  const std::string parent = HostParent(path);
  if (parent != path && !MakeHostFolders(parent)) return false;
  return sys::Mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

std::string HostParent(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const size_t slash = trimmed.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return trimmed.substr(0, slash);
}

std::optional<std::vector<std::string>> FolderEntryNames(const std::string& folder) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return std::nullopt;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  return names;
}

std::string OwnExecutable() {
  std::vector<char> buffer(4096);
  while (true) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string CurrentHostFolder() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

std::string EnvOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string HomeFolder() {
  std::string home = EnvOrEmpty("HOME");
  if (!home.empty()) return home;
  struct passwd entry {};
  struct passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir) {
    return found->pw_dir;
  }
  return "/tmp";
}

Descriptor::~Descriptor() {
  if (fd_ >= 0) ::close(fd_);
}

// Reads straight into the string: a 100 MB settings file is copied once, by the kernel.
bool ReadAll(int fd, size_t maxBytes, std::string* bytes, size_t sizeHint) {
  bytes->clear();
  size_t filled = 0;
  while (filled < maxBytes) {
    if (filled == bytes->size()) {
      // One more byte than the size expected, so that the end is found without growing.
      const size_t room = std::max({sizeHint + 1, filled * 2, size_t{4096}});
      bytes->resize(std::min(maxBytes, room));
    }
    const ssize_t got = sys::Read(fd, bytes->data() + filled, bytes->size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      bytes->clear();
      return false;
    }
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  bytes->resize(filled);
  return true;
}

namespace {

// Writes every byte; false when the descriptor takes no more.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = sys::Write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

std::string ThisMachine() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "HOST";
  return name;
}

bool ProcessIsGone(uint64_t processId) {
  return ::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path of a new temporary beside `path` that replaces it (platform/temporary_name.h): this
// machine's name, this process and the clock tell it apart from every other writer's. The clock
// tells apart the names one process picks; O_EXCL creation refuses whatever still collides.
std::string TemporaryPathFor(const std::string& path) {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  const auto nanoseconds =
      static_cast<uint64_t>(now.tv_sec) * 1'000'000'000u + static_cast<uint64_t>(now.tv_nsec);
  return HostParent(path) + "/" +
         TemporaryName(BaseName(path), ThisMachine(), static_cast<uint64_t>(::getpid()),
                       nanoseconds);
}

}  // namespace

// Removes the temporaries the clean-up rule (IsAbandoned) calls abandoned.
void ProfileHostIo::RemoveOrphans(const std::string& folder) {
  const std::string machine = ThisMachine();
  const int64_t now = static_cast<int64_t>(::time(nullptr));
  for (const std::string& name : FolderEntryNames(folder).value_or(std::vector<std::string>{})) {
    if (!IsTemporaryName(name)) continue;
    const std::string path = folder + "/" + name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    const int64_t age = now - static_cast<int64_t>(info.st_mtime);
    if (IsAbandoned(ParseTemporaryName(name), machine, static_cast<uint64_t>(::getpid()), age,
                    ProcessIsGone)) {
      ::unlink(path.c_str());
    }
  }
}

// Errors are ignored: nothing more can be done about them.
void ProfileHostIo::Sync(const std::string& path, bool folder) {
  const Descriptor fd(
      sys::Open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC));
  if (fd.valid()) sys::Fsync(fd.get());
}

void SyncFileSystem(const std::string& folder) {
  const Descriptor fd(sys::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) sys::Syncfs(fd.get());
}

LockResult LockExclusive(int fd, bool wait) {
  while (sys::Flock(fd, wait ? LOCK_EX : LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    return !wait && errno == EWOULDBLOCK ? LockResult::kBusy : LockResult::kFailed;
  }
  return LockResult::kHeld;
}

namespace {

// The new file, unnamed while it is written (O_TMPFILE) where the file system allows it: a
// writer killed before the end leaves nothing behind. `named` tells whether it was created under
// the temporary name instead.
Descriptor CreateNewFile(const std::string& path, const std::string& temporary, bool* named) {
  *named = false;
  const int unnamed = sys::Open(HostParent(path).c_str(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0666);
  if (unnamed >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
    return Descriptor(unnamed);
  *named = true;
  return Descriptor(sys::Open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
}

bool KeepAttributes(int fd, const struct stat* old) {
  if (old == nullptr) return true;
  if (::fchmod(fd, old->st_mode & 07777) != 0) return false;
  if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
    (void)!::fchown(fd, old->st_uid, old->st_gid);  // only root may; others keep theirs
  }
  return true;
}

// Names the finished unnamed file: the temporary name lives only between this call and the
// rename that follows it.
bool NameNewFile(int fd, const std::string& temporary) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return sys::Link(self.c_str(), temporary.c_str()) == 0;
}

}  // namespace

bool ReplaceByNewFile(const std::string& path, std::string_view bytes, const Replacement& how,
                      struct stat* info) {
  const std::string temporary = TemporaryPathFor(path);
  bool named = false;
  const Descriptor fd = CreateNewFile(path, temporary, &named);
  if (!fd.valid()) return false;
  bool ok = WriteAll(fd.get(), bytes) && KeepAttributes(fd.get(), how.old) &&
            (!how.durable || sys::Fsync(fd.get()) == 0) && sys::Fstat(fd.get(), info) == 0;
  if (ok && !named) ok = named = NameNewFile(fd.get(), temporary);
  ok = ok && sys::Rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok && named) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace tx3::platform::posix
