// Installs a platform for one scope and restores the system's own at its end:
//
//   tx3::testing::FakePlatform os;
//   tx3::testing::UsePlatform guard(os);
#pragma once

#include "platform/platform.h"

namespace tx3::testing {

class UsePlatform {
 public:
  explicit UsePlatform(platform::Platform& installed) { platform::SetPlatform(&installed); }
  ~UsePlatform() { platform::SetPlatform(nullptr); }
  UsePlatform(const UsePlatform&) = delete;
  UsePlatform& operator=(const UsePlatform&) = delete;
};

}  // namespace tx3::testing
