#include "platform/posix/system_info.h"

#include <sys/utsname.h>
#include <time.h>

#include "platform/posix/posix_platform.h"

namespace tx3::platform::posix {
namespace {

// Milliseconds since boot (the monotonic clock, suspend included).
uint64_t MillisecondsSinceBoot() {
  timespec now{};
#ifdef CLOCK_BOOTTIME
  if (::clock_gettime(CLOCK_BOOTTIME, &now) != 0) ::clock_gettime(CLOCK_MONOTONIC, &now);
#else
  ::clock_gettime(CLOCK_MONOTONIC, &now);
#endif
  return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

}  // namespace

uint32_t PosixPlatform::TickCount32() {
  return static_cast<uint32_t>(MillisecondsSinceBoot() & 0xFFFFFFFFu);
}

uint64_t PosixPlatform::TickCount64() {
  return MillisecondsSinceBoot();
}

// NT platform 2, version 6.2 build 9200, workstation, no service pack.
bool PosixPlatform::ReadVersion(VersionRecord* record) {
  *record = VersionRecord{};
  record->majorVersion = 6;
  record->minorVersion = 2;
  record->buildNumber = 9200;
  record->platformId = 2;     // VER_PLATFORM_WIN32_NT
  record->suiteMask = 0x100;  // VER_SUITE_SINGLEUSERTS, as a desktop edition reports it
  record->productType = 1;    // VER_NT_WORKSTATION
  return true;
}

uint16_t ArchitectureOfMachine(std::string_view machine) {
  if (machine == "x86_64" || machine == "amd64") return 9;
  if (machine == "aarch64" || machine == "arm64") return 12;
  if (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86") return 0;
  if (machine.substr(0, 3) == "arm") return 5;
  if (machine == "ia64") return 6;
  return 0xFFFF;
}

// The host's architecture, from uname.
uint16_t PosixPlatform::ProcessorArchitecture(bool /*native*/) {
  utsname names{};
  if (::uname(&names) != 0) return 0xFFFF;
  return ArchitectureOfMachine(names.machine);
}

}  // namespace tx3::platform::posix
