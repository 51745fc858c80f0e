// Windows version detection and the Windows folder.
#pragma once

#include <string>

namespace tx3 {

class SystemContext;

// The Windows folder, without its final backslash; empty text when it cannot be read.
std::string GetWinDir(SystemContext& run);

// The display name of the Windows version ("Microsoft Windows 10 ..., 64-bit ..."). Reading the
// version also records the run's version facts (CodeVersionWindows, Ticks64Disponible).
std::string GetOSDisplayString(SystemContext& run);

}  // namespace tx3
