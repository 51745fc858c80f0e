#include "platform/posix/system_info.h"

#include <sys/utsname.h>
#include <time.h>

namespace tx3::platform::posix {

uint64_t MillisecondsSinceBoot() {
  timespec now{};
#ifdef CLOCK_BOOTTIME
  if (::clock_gettime(CLOCK_BOOTTIME, &now) != 0) ::clock_gettime(CLOCK_MONOTONIC, &now);
#else
  ::clock_gettime(CLOCK_MONOTONIC, &now);
#endif
  return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

VersionRecord WindowsVersionRecord() {
  VersionRecord record;
  record.majorVersion = 6;
  record.minorVersion = 2;
  record.buildNumber = 9200;
  record.platformId = 2;     // VER_PLATFORM_WIN32_NT
  record.suiteMask = 0x100;  // VER_SUITE_SINGLEUSERTS, as a desktop edition reports it
  record.productType = 1;    // VER_NT_WORKSTATION
  return record;
}

uint16_t ArchitectureOfMachine(std::string_view machine) {
  if (machine == "x86_64" || machine == "amd64") return 9;
  if (machine == "aarch64" || machine == "arm64") return 12;
  if (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86") return 0;
  if (machine.substr(0, 3) == "arm") return 5;
  if (machine == "ia64") return 6;
  return 0xFFFF;
}

uint16_t HostArchitecture() {
  utsname names{};
  if (::uname(&names) != 0) return 0xFFFF;
  return ArchitectureOfMachine(names.machine);
}

}  // namespace tx3::platform::posix
