#include "platform/posix/engine_files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/posix/file_calls.h"
#include "platform/posix/host_files.h"

namespace tx3::platform::posix {
bool ReadHostFile(const std::string& path, size_t maxBytes, std::string* bytes) {
  const Descriptor file(sys::Open(path.c_str(), O_RDONLY | O_CLOEXEC));
  return file.valid() && ReadAll(file.get(), maxBytes, bytes);
}

bool ReadRegularHostFile(const std::string& path, size_t maxBytes, std::string* bytes) {
  // Opened without waiting: a FIFO would wait for a writer.
  const Descriptor file(sys::Open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  return file.valid() && sys::Fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode) &&
         ReadAll(file.get(), maxBytes, bytes, static_cast<size_t>(info.st_size));
}

ReplaceOutcome ReplaceHostFile(const std::string& path, std::string_view bytes, bool durable) {
  // The lock is held on the old file until the new one has replaced it.
  const Descriptor existing(sys::Open(path.c_str(), O_RDWR | O_CLOEXEC));
  if (!existing.valid() && errno != ENOENT) return ReplaceOutcome::kFailed;
  if (existing.valid()) {
    switch (LockExclusive(existing.get(), /*wait=*/false)) {
      case LockResult::kHeld:
        break;
      case LockResult::kBusy:
        return ReplaceOutcome::kLocked;
      case LockResult::kFailed:
        return ReplaceOutcome::kFailed;
    }
  }
  // A writer killed between the creation of its new file and the rename leaves it behind.
  RemoveAbandonedTemporaries(HostParent(path));
  struct stat info {};
  if (!ReplaceByNewFile(path, TemporaryPathFor(path), bytes, Replacement{nullptr, durable},
                        &info)) {
    return ReplaceOutcome::kFailed;
  }
  if (durable) SyncPath(HostParent(path), /*folder=*/true);
  return ReplaceOutcome::kDone;
}

}  // namespace tx3::platform::posix
