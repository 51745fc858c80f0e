// Win.ini through the system's own profile functions (GetProfileStringW, WriteProfileStringW):
// Windows keeps that file itself, maps parts of it to the registry and notifies on change.
#pragma once

#include <string>
#include <string_view>

namespace tx3::platform::win32 {

// The whole value, or the default as the system answers it.
std::string ReadWinIni(std::string_view section, std::string_view key,
                       std::string_view defaultValue);
bool WriteWinIni(std::string_view section, std::string_view key, std::string_view value);

}  // namespace tx3::platform::win32
