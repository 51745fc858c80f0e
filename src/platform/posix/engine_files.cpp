#include "platform/posix/engine_files.h"

#include <errno.h>
#include <fcntl.h>

#include <string>

#include "platform/posix/host_files.h"

namespace tx3::platform::posix {

bool ReadHostFile(const std::string& path, size_t maxBytes, std::string* bytes) {
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  return file.valid() && ReadAll(file.get(), maxBytes, bytes);
}

ReplaceOutcome ReplaceHostFile(const std::string& path, std::string_view bytes, bool durable) {
  // The lock is held on the old file until the new one has replaced it.
  const Descriptor existing(::open(path.c_str(), O_RDWR | O_CLOEXEC));
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
  struct stat info {};
  if (!ReplaceByNewFile(path, UniqueName(path + ".tx3new", ""), bytes,
                        Replacement{nullptr, durable}, &info)) {
    return ReplaceOutcome::kFailed;
  }
  if (durable) SyncPath(HostParent(path), /*folder=*/true);
  return ReplaceOutcome::kDone;
}

}  // namespace tx3::platform::posix
