#include "platform/win32/system_info.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace tx3::platform::win32 {
namespace {

using GetProductInfoFn = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, PDWORD);
using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);

// The address of an export of a system DLL already loaded in every process.
template <typename Fn>
Fn SystemExport(const wchar_t* module, const char* name) {
  const HMODULE handle = ::GetModuleHandleW(module);
  if (handle == nullptr) return nullptr;
  // FARPROC is the generic function pointer the caller's own type replaces.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(handle, name)));
}

}  // namespace

// GetVersionExW (the manifest declares Windows 10/11, so the truth is told); RtlGetVersion when
// the call fails.
bool Win32Platform::ReadVersion(VersionRecord* record) {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
    const auto rtlGetVersion = SystemExport<RtlGetVersionFn>(L"ntdll.dll", "RtlGetVersion");
    info = OSVERSIONINFOEXW{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion == nullptr || rtlGetVersion(&info) != 0) return false;
  }
  record->majorVersion = info.dwMajorVersion;
  record->minorVersion = info.dwMinorVersion;
  record->buildNumber = info.dwBuildNumber;
  record->platformId = info.dwPlatformId;
  record->servicePack = Narrow(std::wstring_view(info.szCSDVersion));
  record->servicePackMajor = info.wServicePackMajor;
  record->servicePackMinor = info.wServicePackMinor;
  record->suiteMask = info.wSuiteMask;
  record->productType = info.wProductType;
  return true;
}

// GetProductInfo, looked up at run time: false where kernel32 has none.
bool Win32Platform::ReadProductType(uint32_t major, uint32_t minor, uint32_t spMajor,
                                    uint32_t spMinor, uint32_t* productType) {
  const auto getProductInfo = SystemExport<GetProductInfoFn>(L"kernel32.dll", "GetProductInfo");
  if (getProductInfo == nullptr) return false;
  DWORD type = 0;
  if (!getProductInfo(major, minor, spMajor, spMinor, &type)) return false;
  *productType = type;
  return true;
}

bool Win32Platform::HasNativeSystemInfo() {
  return SystemExport<void (*)()>(L"kernel32.dll", "GetNativeSystemInfo") != nullptr;
}

uint16_t Win32Platform::ProcessorArchitecture(bool native) {
  SYSTEM_INFO info{};
  if (native) {
    ::GetNativeSystemInfo(&info);
  } else {
    ::GetSystemInfo(&info);
  }
  return info.wProcessorArchitecture;
}

std::string WindowsFolder() {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  UINT length = ::GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = ::GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
  }
  if (length == 0 || length >= buffer.size()) return {};
  std::wstring folder(buffer.data(), length);
  if (folder.size() > 1 && folder.back() == L'\\') folder.pop_back();
  return Narrow(folder);
}

int32_t Win32Platform::SystemMetric(int32_t index) {
  return ::GetSystemMetrics(index);
}

std::string Win32Platform::WindowsDirectory() {
  return WindowsFolder();
}

// GetModuleFileNameW of the program, however long.
std::string Win32Platform::ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  while (buffer.size() <= 32768) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return Narrow(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
  return {};
}

std::optional<std::string> EnvironmentValue(std::string_view name) {
  const std::wstring wideName = Widen(name);
  std::vector<wchar_t> buffer(256);
  while (true) {
    ::SetLastError(ERROR_SUCCESS);
    const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), buffer.data(),
                                                   static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (length < buffer.size()) return Narrow(std::wstring_view(buffer.data(), length));
    buffer.resize(length);
  }
}

std::optional<std::string> Win32Platform::GetEnv(std::string_view name) {
  return EnvironmentValue(name);
}

uint32_t Win32Platform::TickCount32() {
  return ::GetTickCount();
}

uint64_t Win32Platform::TickCount64() {
  return ::GetTickCount64();
}

// The local wall clock in seconds since 1970-01-01 00:00 of the local time zone.
int64_t Win32Platform::LocalClockSeconds() {
  SYSTEMTIME local{};
  ::GetLocalTime(&local);
  FILETIME asFileTime{};
  if (!::SystemTimeToFileTime(&local, &asFileTime)) return 0;
  ULARGE_INTEGER ticks{};
  ticks.LowPart = asFileTime.dwLowDateTime;
  ticks.HighPart = asFileTime.dwHighDateTime;
  // 100-ns ticks since 1601-01-01; the epoch is 11644473600 s later.
  return static_cast<int64_t>(ticks.QuadPart / 10'000'000ULL) - 11'644'473'600LL;
}

}  // namespace tx3::platform::win32
