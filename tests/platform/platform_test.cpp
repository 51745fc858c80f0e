#include "platform/platform.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3::platform {
namespace {

TEST(PlatformSelection, UsesTheSystemPlatformUnlessAnotherIsInstalled) {
  Platform& system = SystemPlatform();
  EXPECT_EQ(&Os(), &system);
  EXPECT_EQ(&SystemPlatform(), &system) << "one per process";
  tx3::testing::FakePlatform fake;
  {
    const tx3::testing::UsePlatform guard(fake);
    EXPECT_EQ(&Os(), &fake);
  }
  EXPECT_EQ(&Os(), &system);
}

}  // namespace
}  // namespace tx3::platform
