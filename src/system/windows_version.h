// Windows version detection and the Windows folder.
#pragma once

#include <string>

namespace tx3 {

class SystemContext;

// The Windows folder, without its final backslash; empty text when it cannot be read.
std::string GetWinDir(SystemContext& run);

// The display name of the Windows version ("Microsoft Windows 10 ..., 64-bit ..."). Reading the
// version also records the run's version facts (CodeVersionWindows, Ticks64Disponible). Windows
// 10 and 11 (version 10.0, "Windows 11 " from build 22000) and any later version are code 10, as
// is the 6.2 build 9200 that Windows tells programs declaring no support for it.
std::string GetOSDisplayString(SystemContext& run);

}  // namespace tx3
