// Clock and system description as a current Windows reports them to an application without a
// compatibility declaration.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/platform.h"

namespace tx3::platform::posix {

// Milliseconds since boot (the monotonic clock, suspend included).
uint64_t MillisecondsSinceBoot();

// NT platform 2, version 6.2 build 9200, workstation, no service pack.
VersionRecord WindowsVersionRecord();

// PROCESSOR_ARCHITECTURE_* of a uname machine name: x86_64 -> 9, aarch64 -> 12, i?86 -> 0,
// arm -> 5, ia64 -> 6, anything else 0xFFFF (unknown).
uint16_t ArchitectureOfMachine(std::string_view machine);
// The host's architecture, from uname.
uint16_t HostArchitecture();

}  // namespace tx3::platform::posix
