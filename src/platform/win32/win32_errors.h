// Win32 error codes as the classic run-time error numbers the program reports.
#pragma once

#include <cstdint>

namespace tx3::platform::win32 {

// 2 -> 53, 3 -> 76, 123 and 206 -> 52, anything else (5, 32, 183, ...) -> 75.
int32_t ClassicError(uint32_t win32Error);
// The classic number of GetLastError().
int32_t LastClassicError();

}  // namespace tx3::platform::win32
