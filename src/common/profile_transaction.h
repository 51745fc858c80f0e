// One profile transaction for the length of a command (see Platform::BeginProfileTransaction):
// each settings file is resolved and parsed once, and written at most once.
#pragma once

#include "platform/platform.h"

namespace tx3 {

class ProfileTransaction {
 public:
  ProfileTransaction() { platform::Os().BeginProfileTransaction(); }
  ~ProfileTransaction() { platform::Os().EndProfileTransaction(); }
  ProfileTransaction(const ProfileTransaction&) = delete;
  ProfileTransaction& operator=(const ProfileTransaction&) = delete;
};

}  // namespace tx3
