// What Windows tells about itself: version, product type, processor, metrics, folders, the
// environment and the clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tx3::platform::win32 {

// GetVersionExW (the manifest declares Windows 10/11, so the truth is told); RtlGetVersion when
// the call fails.
bool ReadVersionRecord(VersionRecord* record);
// GetProductInfo, looked up at run time: false where kernel32 has none.
bool ReadProductInfo(uint32_t major, uint32_t minor, uint32_t spMajor, uint32_t spMinor,
                     uint32_t* productType);
bool KernelHasNativeSystemInfo();
uint16_t ArchitectureOfProcessor(bool native);
// GetWindowsDirectoryW without a trailing backslash; empty on failure.
std::string WindowsFolder();
// GetModuleFileNameW of the program, however long.
std::string OwnModulePath();
std::optional<std::string> EnvironmentValue(std::string_view name);
// The local wall clock in seconds since 1970-01-01 00:00 of the local time zone.
int64_t LocalWallClockSeconds();

}  // namespace tx3::platform::win32
