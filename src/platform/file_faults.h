// Failure injection under the platforms' file calls: a test installs a plan, the file layer of
// each platform asks before every open, read, write, sync, rename, lock, folder creation and
// status query whether that call is the one to fail, and fails it with the platform's own error
// number for the chosen fault. Without a plan each question is one atomic load.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

namespace tx3::platform {

enum class FileCall { kOpen, kRead, kWrite, kSync, kRename, kLock, kMakeFolder, kStat };
enum class FileFault { kNoSpace, kIoError, kAccessDenied, kReadOnlyVolume, kSharingViolation };

const char* FileCallName(FileCall call);
const char* FileFaultName(FileFault fault);

// Counts the file calls from its creation and fails the `failAt`-th one (1-based; 0: none).
class FileFaultPlan {
 public:
  explicit FileFaultPlan(uint64_t failAt = 0, FileFault fault = FileFault::kIoError)
      : failAt_(failAt), fault_(fault) {}
  FileFaultPlan(const FileFaultPlan&) = delete;
  FileFaultPlan& operator=(const FileFaultPlan&) = delete;

  // Counts one call; the fault when it is the one to fail.
  std::optional<FileFault> Count(FileCall call);
  uint64_t Calls() const { return calls_.load(); }
  // The kind of the call that was failed, when it has come.
  std::optional<FileCall> Failed() const;

 private:
  const uint64_t failAt_;
  const FileFault fault_;
  std::atomic<uint64_t> calls_{0};
  std::atomic<int> failed_{-1};
};

// Installs the plan the platforms consult (nullptr: none). Tests only.
void InjectFileFaults(FileFaultPlan* plan);

// Asked by the platforms' file layer before each call: the fault to report instead of making it.
std::optional<FileFault> FileCallFault(FileCall call);

// The seam itself, one per platform under the same name (posix/file_calls.h, win32/file_calls.h,
// namespace `sys`): each wrapped system call asks this first. True when the call is to fail; the
// platform's own error for the fault is then set (errno, or the thread's last error), and the
// wrapper answers the call's failure value without making the call. Defined by each platform's
// file_calls.cpp.
bool InjectedFileFault(FileCall call);

}  // namespace tx3::platform
