// Folder names the program refuses (52), as the Linux side does, although the Win32 calls would
// accept some of them: a device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also with an
// extension) becomes the device, and a trailing dot or blank is silently dropped. A folder made
// under such a name would not be the one the operator typed, nor one the suite's programs can use.
#pragma once

#include <string_view>

namespace tx3::platform::win32 {

// True when a component of `path` (after its drive or share) is such a name.
bool HasRefusedComponent(std::string_view path);

}  // namespace tx3::platform::win32
