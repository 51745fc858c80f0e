// The platform side of profile transactions: the engine's transactions, answered in the names the
// callers gave the files (a Windows path on Linux maps to a host path, which the caller never
// sees).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "platform/profile_engine.h"

namespace tx3::platform {

class ProfileTransactions {
 public:
  explicit ProfileTransactions(ProfileEngine& engine) : engine_(engine) {}

  void Begin();
  std::vector<ProfileFileChange> Commit();
  void End();
  void SetDryRun(bool dryRun) { engine_.SetDryRun(dryRun); }

  // Whether a transaction is open: then what the platform resolved may be kept until its end.
  bool Active() const { return depth_ > 0; }
  // Records the caller's name of an engine path written in the transaction.
  void Named(const std::string& path, std::string_view callerName);

 private:
  ProfileEngine& engine_;
  int depth_ = 0;
  std::unordered_map<std::string, std::string> callerNames_;
};

}  // namespace tx3::platform
