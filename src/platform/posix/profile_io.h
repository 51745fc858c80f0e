// The host file operations of the profile engine: whole-file reads with the file's identity,
// the writers' lock, atomic replacement and deferred durability.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace tx3::platform::posix {

// What tells whether a file changed since it was parsed.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  int64_t size = 0;
  timespec modified{};
  bool operator==(const FileIdentity& other) const;
};

enum class ReadOutcome { kRead, kUnchanged, kMissing, kFailed };

// Reads the whole file unless its identity equals *known (kUnchanged, bytes untouched);
// *identity receives the identity found. kMissing when there is no file.
ReadOutcome ReadProfileBytes(const std::string& path, const FileIdentity* known,
                             FileIdentity* identity, std::string* bytes);

// Temporary files of the replacement carry this prefix.
inline constexpr std::string_view kProfileTempPrefix = ".~tx3";

// The exclusive lock of the writers of one folder: a flock on the folder itself, so that no lock
// file is left behind and the lock survives the rename of the files it guards.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// The folder and the name of a host path ("." when it names none).
std::string FolderOf(const std::string& path);

// The file a write must replace: the target of a symbolic link, else the path itself.
std::string ReplacementTarget(const std::string& path);

// Removes the temporary files that writers killed during a replacement left in `folder`.
// Only under its FolderLock: then no live writer has one open.
void RemoveOrphanTemps(const std::string& folder);

// Replaces `path` by a new file holding `bytes` (written beside it, renamed over it), with the
// permission bits and owner of the file it replaces. False when the file is read-only (no
// write bit) or the folder cannot be written. *identity receives the new file's identity.
bool ReplaceProfileFile(const std::string& path, std::string_view bytes, FileIdentity* identity);

// fsync of a file or folder; errors are ignored (nothing more can be done about them).
void SyncPath(const std::string& path, bool folder);

}  // namespace tx3::platform::posix
