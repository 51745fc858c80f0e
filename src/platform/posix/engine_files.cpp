#include "platform/posix/engine_files.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <string>
#include <vector>

#include "platform/posix/file_calls.h"
#include "platform/posix/host_files.h"

namespace tx3::platform::posix {
namespace {

// New files are named "<file>.tx3new.<pid>.<clock>.<random>" (UniqueName).
constexpr std::string_view kTemporaryStem = ".tx3new";

std::string BaseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The process id a new file's name carries after `prefix`, 0 if none.
pid_t WriterOf(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return 0;
  name.remove_prefix(prefix.size());
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  return error == std::errc() && end != name.data() && *end == '.' ? pid : 0;
}

bool ProcessIsGone(pid_t pid) {
  return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// A writer killed between the creation of its new file and the rename leaves the file behind;
// the next writer of the same file removes it once the process that named it is gone.
void RemoveDeadWritersFiles(const std::string& path) {
  const std::string folder = HostParent(path);
  const std::string prefix = BaseName(path) + std::string(kTemporaryStem) + ".";
  for (const std::string& name : FolderEntryNames(folder).value_or(std::vector<std::string>{})) {
    const pid_t writer = WriterOf(name, prefix);
    if (writer > 0 && ProcessIsGone(writer)) ::unlink((folder + "/" + name).c_str());
  }
}

}  // namespace

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
  RemoveDeadWritersFiles(path);
  struct stat info {};
  if (!ReplaceByNewFile(path, UniqueName(path + std::string(kTemporaryStem), ""), bytes,
                        Replacement{nullptr, durable}, &info)) {
    return ReplaceOutcome::kFailed;
  }
  if (durable) SyncPath(HostParent(path), /*folder=*/true);
  return ReplaceOutcome::kDone;
}

}  // namespace tx3::platform::posix
