// Windows version detection and the Windows folder.
#pragma once

#include <cstdint>
#include <string>

namespace tx3 {

// 10, 8, 7, 6, 5, 2003, 2000; 0 until recognised.
extern int32_t CodeVersionWindows;
// True when the 64-bit tick counter may be used.
extern bool Ticks64Disponible;

std::string GetWinDir();
std::string GetOSDisplayString();

void ResetWindowsVersionForTests();

}  // namespace tx3
