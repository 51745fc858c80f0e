// Windows version detection (GetOSDisplayString) and the Windows folder (GetWinDir).
#include "system/windows_version.h"

#include "common/error.h"
#include "common/text.h"
#include "platform/platform.h"
#include "system/system_context.h"

#include <optional>
#include <utility>

namespace tx3 {

std::string GetWinDir(SystemContext& run) {
  ErrorPattern e(run, "Lib_Systeme:GetWinDir");
  std::string folder;
  e(10, [&] { folder = platform::Os().WindowsDirectory(); });
  return folder;
}

namespace {

constexpr uint32_t kNtPlatform = 2;
constexpr uint8_t kWorkstation = 1;
constexpr uint16_t kArchX86 = 0;
constexpr uint16_t kArchItanium = 6;
constexpr uint16_t kArchX64 = 9;
constexpr int32_t kSmServerR2 = 89;

constexpr uint16_t kSuiteEnterprise = 0x2;
constexpr uint16_t kSuiteDatacenter = 0x80;
constexpr uint16_t kSuitePersonal = 0x200;
constexpr uint16_t kSuiteBlade = 0x400;
constexpr uint16_t kSuiteStorageServer = 0x2000;
constexpr uint16_t kSuiteComputeServer = 0x4000;

bool Has(uint16_t mask, uint16_t bit) {
  return (mask & bit) != 0;
}

// What one row of the version table gives: its texts, whether the architecture suffix follows,
// and the version code (nullopt leaves CodeVersionWindows as it was).
struct VersionRow {
  std::string text;
  bool suffix = false;
  std::optional<int32_t> code;
};

// The editions of Vista and Server 2008 by the product type the system reports.
constexpr std::pair<uint32_t, std::string_view> kVistaEditions[] = {
    {1, "Ultimate Edition"},
    {2, "Home Basic Edition"},
    {3, "Home Premium Edition"},
    {4, "Enterprise Edition"},
    {6, "Business Edition"},
    {7, "Standard Edition"},
    {8, "Datacenter Edition"},
    {9, "Small Business Server"},
    {10, "Enterprise Edition"},
    {11, "Starter Edition"},
    {12, "Datacenter Edition (core installation)"},
    {13, "Standard Edition (core installation)"},
    {14, "Enterprise Edition (core installation)"},
    {15, "Enterprise Edition for Itanium-based Systems"},
    {17, "Web Server Edition"},
    {18, "Cluster Server Edition"},
    {25, "Small Business Server Premium Edition"},
};

std::string VistaEdition() {
  uint32_t productType = 0;
  if (!platform::Os().ReadProductType(6, 0, 0, 0, &productType)) return {};
  for (const auto& [type, edition] : kVistaEditions) {
    if (type == productType) return std::string(edition);
  }
  return {};
}

std::string Server2003Name(const platform::VersionRecord& v, uint16_t arch) {
  if (platform::Os().SystemMetric(kSmServerR2) != 0) return "Windows Server 2003 R2, ";
  if (v.suiteMask == kSuiteStorageServer) return "Windows Storage Server 2003";
  if (v.productType == kWorkstation && arch == kArchX64) {
    return "Windows XP Professional x64 Edition";
  }
  return "Windows Server 2003, ";
}

std::string Server2003Edition(const platform::VersionRecord& v, uint16_t arch) {
  if (v.productType == kWorkstation) return {};
  const uint16_t m = v.suiteMask;
  if (arch == kArchItanium) {
    if (Has(m, kSuiteDatacenter)) return "Datacenter Edition for Itanium-based Systems";
    if (Has(m, kSuiteEnterprise)) return "Enterprise Edition for Itanium-based Systems";
    return {};
  }
  if (arch == kArchX64) {
    if (Has(m, kSuiteDatacenter)) return "Datacenter x64 Edition";
    if (Has(m, kSuiteEnterprise)) return "Enterprise x64 Edition";
    return "Standard x64 Edition";
  }
  if (Has(m, kSuiteComputeServer)) return "Compute Cluster Edition";
  if (Has(m, kSuiteDatacenter)) return "Datacenter Edition";
  if (Has(m, kSuiteEnterprise)) return "Enterprise Edition";
  if (Has(m, kSuiteBlade)) return "Web Edition";
  return "Standard Edition";
}

std::string Windows2000Edition(const platform::VersionRecord& v) {
  if (v.productType == kWorkstation) return "Professional";
  if (Has(v.suiteMask, kSuiteDatacenter)) return "Datacenter Server";
  if (Has(v.suiteMask, kSuiteEnterprise)) return "Advanced Server";
  return "Server";
}

std::string HomeOrProfessional(const platform::VersionRecord& v) {
  return Has(v.suiteMask, kSuitePersonal) ? "Home Edition" : "Professional";
}

// Windows 11 kept version 10.0; its builds start at 22000.
constexpr uint32_t kFirstWindows11Build = 22000;

// The first row of the version table that matches the record.
VersionRow MatchVersionRow(const platform::VersionRecord& v, uint16_t arch) {
  const uint32_t major = v.majorVersion;
  const uint32_t minor = v.minorVersion;
  // Windows 10 and every later version, as a program that declares Windows 10 support is told:
  // version 10.0 (Windows 11 included), or anything after 8.1. All of them are code 10.
  if (major == 10 && minor == 0) {
    return {v.buildNumber >= kFirstWindows11Build ? "Windows 11 " : "Windows 10 ", true, 10};
  }
  if (major > 6 || (major == 6 && minor > 3)) {
    return {"Windows " + ToText(major) + "." + ToText(minor) + " ", true, 10};
  }
  // Windows tells 6.2 build 9200 to every program without a compatibility declaration.
  if (major == 6 && minor == 2 && v.buildNumber == 9200) return {"Windows 10 ", true, 10};
  if (major == 6 && minor == 3) return {"Windows 8.1 ", true, 8};
  if (major == 6 && minor == 2) return {"Windows 8 ", true, 8};
  if (major == 6 && minor == 1) return {"Windows 7 " + HomeOrProfessional(v), true, 7};
  if (major == 6 && minor == 0) {
    std::string name = v.productType == kWorkstation ? "Windows Vista " : "Windows Server 2008 ";
    return {name + VistaEdition(), true, 6};
  }
  if (major == 5 && minor == 2) {
    return {Server2003Name(v, arch) + Server2003Edition(v, arch), false, 2003};
  }
  if (major == 5 && minor == 1) return {"Windows XP " + HomeOrProfessional(v), false, 5};
  if (major == 5 && minor == 0) return {"Windows 2000 " + Windows2000Edition(v), false, 2000};
  return {};
}

}  // namespace

std::string GetOSDisplayString(SystemContext& run) {
  ErrorPattern e(run, "Lib_Systeme:GetOSDisplayString");
  platform::VersionRecord v;
  bool read = false;
  e(10, [&] { read = platform::Os().ReadVersion(&v); });
  if (!read) return {};

  uint16_t arch = 0;
  e(20, [&] { arch = platform::Os().ProcessorArchitecture(platform::Os().HasNativeSystemInfo()); });
  if (v.platformId != kNtPlatform || v.majorVersion <= 4) return {};

  std::string text = "Microsoft ";
  e(30, [&] {
    const VersionRow row = MatchVersionRow(v, arch);
    text += row.text;
    if (row.code) run.CodeVersionWindows = *row.code;
    // The versions whose name carries the architecture (Vista and later) have GetTickCount64;
    // the program uses it on their 64-bit editions.
    run.Ticks64Disponible = row.suffix && arch == kArchX64;
    if (row.suffix && arch == kArchX64) text += ", 64-bit";
    if (row.suffix && arch == kArchX86) text += ", 32-bit";
  });
  e(40, [&] { text = CutAtNul(text + " " + v.servicePack); });
  e(50, [&] { text += " (build " + ToText(v.buildNumber) + ")"; });
  return text;
}

}  // namespace tx3
