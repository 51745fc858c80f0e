#include "platform/platform.h"

#include <atomic>

#if defined(_WIN32)
#include "platform/win32/win32_platform.h"
#else
#include "platform/posix/posix_platform.h"
#endif

namespace tx3::platform {
namespace {

std::atomic<Platform*> installed{nullptr};

}  // namespace

Platform& SystemPlatform() {
#if defined(_WIN32)
  static win32::Win32Platform system;
#else
  static posix::PosixPlatform system;
#endif
  return system;
}

Platform& Os() {
  Platform* platform = installed.load(std::memory_order_acquire);
  return platform ? *platform : SystemPlatform();
}

void SetPlatform(Platform* platform) {
  installed.store(platform, std::memory_order_release);
}

}  // namespace tx3::platform
