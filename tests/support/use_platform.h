// Installs a platform for the lifetime of a test (or a fixture) and puts the system's own back.
//
//   tx3::testing::FakePlatform os;
//   tx3::testing::UsePlatform guard(os);
#pragma once

#include "platform/platform.h"

namespace tx3::testing {

class UsePlatform {
 public:
  explicit UsePlatform(platform::Platform& platform) { platform::SetPlatform(&platform); }
  ~UsePlatform() { platform::SetPlatform(nullptr); }
  UsePlatform(const UsePlatform&) = delete;
  UsePlatform& operator=(const UsePlatform&) = delete;
};

}  // namespace tx3::testing
