#include "platform/file_faults.h"

namespace tx3::platform {
namespace {

std::atomic<FileFaultPlan*> installed{nullptr};

// The names, in the order of the enumerations.
constexpr const char* kCallNames[] = {"open",   "read", "write", "sync",
                                      "rename", "lock", "mkdir", "stat"};
constexpr const char* kFaultNames[] = {"no space", "I/O error", "access denied", "read-only volume",
                                       "sharing violation"};

}  // namespace

const char* FileCallName(FileCall call) {
  return kCallNames[static_cast<size_t>(call)];
}

const char* FileFaultName(FileFault fault) {
  return kFaultNames[static_cast<size_t>(fault)];
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
