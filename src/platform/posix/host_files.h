// Host files and paths, one implementation of each helper for the whole posix platform: the
// profile engine's files and the built-in database engine's files are written with them.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tx3::platform::posix {

// True when the path names an existing folder (links followed).
bool IsHostDirectory(const std::string& path);
// True when something exists at the path (a dangling link counts).
bool HostEntryExists(const std::string& path);
// Whether a failed lookup's errno says that the path is not there: a missing component, a file
// where a folder should be, a path too long or links that loop.
bool IsMissingPathError(int error);
// Makes the folder and its missing parents (mkdir -p); true when the folder exists afterwards.
bool MakeHostFolders(const std::string& path);
// The folder part of a host path ("/a/b" -> "/a", "/a" -> "/", "a" -> ".").
std::string HostParent(const std::string& path);
// The names in a folder, "." and ".." left out, in the order the system lists them; nothing when
// the folder cannot be read.
std::optional<std::vector<std::string>> FolderEntryNames(const std::string& folder);
// The running program's host path (/proc/self/exe), empty when it cannot be read.
std::string OwnExecutable();
// The process's current folder, empty when it cannot be read.
std::string CurrentHostFolder();
// An environment variable, empty when unset.
std::string EnvOrEmpty(const char* name);
// The user's home folder ($HOME, else the password database).
std::string HomeFolder();

// A file descriptor closed at the end of its owner's life.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor();
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

// Reads up to `maxBytes` from the descriptor (`sizeHint` reserves room); false on a read error.
bool ReadAll(int fd, size_t maxBytes, std::string* bytes, size_t sizeHint = 0);

// syncfs of the file system holding the folder: every file written there, and every folder
// entry, made durable in one call.
void SyncFileSystem(const std::string& folder);

enum class LockResult { kHeld, kBusy, kFailed };
// An exclusive flock on the descriptor, released when it is closed. Without `wait`, kBusy when
// another open file description holds it.
LockResult LockExclusive(int fd, bool wait);

// How a new file takes the place of an old one.
struct Replacement {
  const struct stat* old = nullptr;  // the file replaced: its permission bits and owner are kept
  bool durable = false;              // fsync of the new file before the rename
};
// Writes `bytes` to a new temporary file beside `path` (created, never reused; its name made by
// platform/temporary_name.h) and renames it over `path`: a reader finds the old file or the new
// one, never a mix. *info receives the new file's status. False when anything fails; the
// temporary file is then removed.
bool ReplaceByNewFile(const std::string& path, std::string_view bytes, const Replacement& how,
                      struct stat* info);

}  // namespace tx3::platform::posix
