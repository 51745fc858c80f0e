#include "platform/posix/profile_store.h"

#include "platform/posix/posix_platform.h"

namespace tx3::platform::posix {
namespace {

ProfileEngine& SystemProfiles() {
  return static_cast<PosixPlatform&>(SystemPlatform()).profiles();
}

}  // namespace

uint32_t ReadProfileString(const std::string& hostPath, std::string_view section,
                           std::string_view key, std::string_view defaultValue,
                           std::string* value) {
  return SystemProfiles().Read(hostPath, section, key, defaultValue, value);
}

bool WriteProfileString(const std::string& hostPath, std::string_view section, std::string_view key,
                        std::string_view value) {
  return SystemProfiles().Write(hostPath, section, key, value);
}

void FlushProfileWrites() {
  SystemProfiles().Flush();
}

ProfileStats GetProfileStats() {
  return SystemProfiles().Stats();
}

void ResetProfileStats() {
  SystemProfiles().ResetStats();
}

}  // namespace tx3::platform::posix
