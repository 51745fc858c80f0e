// What Windows tells about itself and the other parts of the platform need too: the Windows
// folder and the environment (system_info.cpp also answers Win32Platform's version, product type,
// processor, metrics and clock).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tx3::platform::win32 {

// GetWindowsDirectoryW without a trailing backslash; empty on failure.
std::string WindowsFolder();
std::optional<std::string> EnvironmentValue(std::string_view name);

}  // namespace tx3::platform::win32
