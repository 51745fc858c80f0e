// ShellExecute on Linux: addresses and files are handed to xdg-open (or the program named by
// TX3_SHELL_OPENER), started with an argument vector, never through a shell.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/posix/drive_map.h"

namespace tx3::platform::posix {

// True for an address the browser opens (http:// or https://, any case).
bool IsWebAddress(std::string_view text);

// Starts `opener` with `argument` and does not wait for it; a reaper collects it when it ends.
// False when the program cannot be started (not installed).
bool StartDetached(const std::string& opener, const std::string& argument);

// The shell's answer: 42 when handed over, 2 file not found, 3 path not found (or missing drive),
// 31 no association (no opener installed).
intptr_t OpenWithShell(DriveMap& drives, std::string_view file);

}  // namespace tx3::platform::posix
