#include "platform/profile_transactions.h"

namespace tx3::platform {

void ProfileTransactions::Begin() {
  ++depth_;
  engine_.BeginTransaction();
}

std::vector<ProfileFileChange> ProfileTransactions::Commit() {
  if (!Active()) {
    engine_.Flush();
    return {};
  }
  std::vector<ProfileFileChange> changes = engine_.Commit();
  for (ProfileFileChange& change : changes) {
    const auto name = callerNames_.find(change.file);
    if (name != callerNames_.end()) change.file = name->second;
  }
  return changes;
}

void ProfileTransactions::End() {
  if (!Active()) return;
  engine_.EndTransaction();
  if (--depth_ == 0) callerNames_.clear();
}

void ProfileTransactions::Named(const std::string& path, std::string_view callerName) {
  if (Active()) callerNames_.try_emplace(path, callerName);
}

}  // namespace tx3::platform
