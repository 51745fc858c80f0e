// The profile (INI) engine of the posix platform, on host paths. It behaves as
// GetPrivateProfileStringA / WritePrivateProfileStringA do, and replaces files atomically.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tx3::platform::posix {

// Section, key, default and value are UTF-8; the file holds Windows-1252 (or UTF-16LE when it
// starts with that byte-order mark). *value receives the whole stored value, or the default.
// Answers the number of characters copied.
uint32_t ReadProfileString(const std::string& hostPath, std::string_view section,
                           std::string_view key, std::string_view defaultValue, std::string* value);

// Writes one key; true when the file holds the value afterwards (an unchanged value is not
// written again). False when the file or its folder cannot be written.
bool WriteProfileString(const std::string& hostPath, std::string_view section, std::string_view key,
                        std::string_view value);

// Makes every file written since the last call durable (fsync of the files and their folders).
void FlushProfileWrites();

// Counters for the benchmark and the tests.
struct ProfileStats {
  uint64_t parses = 0;  // times a file was parsed
  uint64_t writes = 0;  // times a file was replaced
};
ProfileStats GetProfileStats();
void ResetProfileStats();

}  // namespace tx3::platform::posix
