// The built-in engine's file access on host paths: bounded reads of regular files and atomic
// replacement that respects another process's lock.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/posix/file_calls.h"
#include "platform/posix/host_files.h"
#include "platform/posix/posix_platform.h"

namespace tx3::platform::posix {

// Only a regular file is read: a data file replaced by a FIFO or a device is never waited on nor
// read without end.
bool PosixPlatform::ReadEngineFile(std::string_view enginePath, size_t maxBytes,
                                   std::string* bytes) {
  // Opened without waiting: a FIFO would wait for a writer.
  const Descriptor file(
      sys::Open(std::string(enginePath).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  return file.valid() && sys::Fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode) &&
         ReadAll(file.get(), maxBytes, bytes, static_cast<size_t>(info.st_size));
}

// Writes `bytes` to a new file beside the file and renames it over it: kLocked when an existing
// file is held by an exclusive flock elsewhere, kFailed when it cannot be written (nothing is
// left behind).
ReplaceOutcome PosixPlatform::ReplaceEngineFile(std::string_view enginePath,
                                                std::string_view bytes) {
  if (enginePath.empty()) return ReplaceOutcome::kFailed;
  const std::string path(enginePath);
  const std::string folder = HostParent(path);
  // The lock is held on the old file until the new one has replaced it.
  const Descriptor existing(sys::Open(path.c_str(), O_RDWR | O_CLOEXEC));
  if (!existing.valid() && errno != ENOENT) return ReplaceOutcome::kFailed;
  if (existing.valid()) {
    const LockResult lock = LockExclusive(existing.get(), /*wait=*/false);
    if (lock != LockResult::kHeld)
      return lock == LockResult::kBusy ? ReplaceOutcome::kLocked : ReplaceOutcome::kFailed;
  }
  // A writer killed between the creation of its new file and the rename leaves it behind.
  profileIo_.RemoveOrphans(folder);
  // Within a transaction the files are made durable together when it ends (SyncFileSystem).
  const bool durable = !transactions_.Active();
  struct stat info {};
  if (!ReplaceByNewFile(path, bytes, Replacement{nullptr, durable}, &info)) {
    return ReplaceOutcome::kFailed;
  }
  if (durable) {
    profileIo_.Sync(folder, /*folder=*/true);
  } else {
    unsyncedEngineFolders_.insert(folder);
  }
  return ReplaceOutcome::kDone;
}

}  // namespace tx3::platform::posix
