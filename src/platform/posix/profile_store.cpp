#include "platform/posix/profile_store.h"

#include "platform/posix/posix_platform.h"

namespace tx3::platform::posix {

ProfileEngine& SystemProfiles() {
  return static_cast<PosixPlatform&>(SystemPlatform()).profiles();
}

}  // namespace tx3::platform::posix
