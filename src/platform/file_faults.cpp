#include "platform/file_faults.h"

namespace tx3::platform {
namespace {

std::atomic<FileFaultPlan*> installed{nullptr};

}  // namespace

const char* FileCallName(FileCall call) {
  switch (call) {
    case FileCall::kOpen:
      return "open";
    case FileCall::kRead:
      return "read";
    case FileCall::kWrite:
      return "write";
    case FileCall::kSync:
      return "sync";
    case FileCall::kRename:
      return "rename";
    case FileCall::kLock:
      return "lock";
    case FileCall::kMakeFolder:
      return "mkdir";
    case FileCall::kStat:
      return "stat";
  }
  return "?";
}

const char* FileFaultName(FileFault fault) {
  switch (fault) {
    case FileFault::kNoSpace:
      return "no space";
    case FileFault::kIoError:
      return "I/O error";
    case FileFault::kAccessDenied:
      return "access denied";
    case FileFault::kReadOnlyVolume:
      return "read-only volume";
    case FileFault::kSharingViolation:
      return "sharing violation";
  }
  return "?";
}

std::optional<FileFault> FileFaultPlan::Count(FileCall call) {
  if (calls_.fetch_add(1) + 1 != failAt_) return std::nullopt;
  failed_.store(static_cast<int>(call));
  return fault_;
}

std::optional<FileCall> FileFaultPlan::Failed() const {
  const int failed = failed_.load();
  if (failed < 0) return std::nullopt;
  return static_cast<FileCall>(failed);
}

void InjectFileFaults(FileFaultPlan* plan) {
  installed.store(plan, std::memory_order_release);
}

std::optional<FileFault> FileCallFault(FileCall call) {
  FileFaultPlan* plan = installed.load(std::memory_order_acquire);
  if (plan == nullptr) return std::nullopt;
  return plan->Count(call);
}

}  // namespace tx3::platform
