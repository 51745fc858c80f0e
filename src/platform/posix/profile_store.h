// The profile functions of the system platform on host paths, for the helper programs, the
// benchmark and the tests: they work on the one profile engine the platform owns, so its cache
// and its counters are the ones the program uses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/profile_engine.h"

namespace tx3::platform::posix {

uint32_t ReadProfileString(const std::string& hostPath, std::string_view section,
                           std::string_view key, std::string_view defaultValue, std::string* value);
bool WriteProfileString(const std::string& hostPath, std::string_view section, std::string_view key,
                        std::string_view value);
void FlushProfileWrites();

ProfileStats GetProfileStats();
void ResetProfileStats();

}  // namespace tx3::platform::posix
