// The system description as a current Windows reports it to an application without a
// compatibility declaration (system_info.cpp also holds the clock and version of PosixPlatform).
#pragma once

#include <cstdint>
#include <string_view>

namespace tx3::platform::posix {

// PROCESSOR_ARCHITECTURE_* of a uname machine name: x86_64 -> 9, aarch64 -> 12, i?86 -> 0,
// arm -> 5, ia64 -> 6, anything else 0xFFFF (unknown).
uint16_t ArchitectureOfMachine(std::string_view machine);

}  // namespace tx3::platform::posix
