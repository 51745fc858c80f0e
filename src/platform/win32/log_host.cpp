// What the log file (platform/log_file.h) asks of Windows: its place, the local time, the files.
#include "platform/log_file.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdio>

#include "platform/log_path.h"
#include "platform/win32/long_path.h"
#include "platform/win32/system_info.h"
#include "platform/win32/wide_text.h"

namespace tx3::platform {
namespace win32 {
namespace {

// Makes every missing folder of `folder`, outermost first; failures are left to the open.
void MakeFolders(const std::wstring& folder) {
  for (size_t pos = folder.find_first_of(L"\\/", 3); pos != std::wstring::npos;
       pos = folder.find_first_of(L"\\/", pos + 1)) {
    ::CreateDirectoryW(SystemPath(folder.substr(0, pos)).c_str(), nullptr);
  }
  ::CreateDirectoryW(SystemPath(folder).c_str(), nullptr);
}

// FOLDERID_ProgramData, spelled here so that the program needs no GUID library.
constexpr KNOWNFOLDERID kProgramDataFolder = {
    0x62AB5D82, 0xFDC1, 0x4DC3, {0xA9, 0xDD, 0x07, 0x0D, 0x1D, 0x49, 0x5D, 0x97}};

// ProgramData's folder: the environment's, else the system's known folder.
std::string ProgramDataFolder() {
  const std::optional<std::string> set = EnvironmentValue("ProgramData");
  if (set && !set->empty()) return *set;
  PWSTR known = nullptr;
  std::string folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(kProgramDataFolder, 0, nullptr, &known))) {
    folder = Narrow(known);
  }
  ::CoTaskMemFree(known);
  return folder;
}

}  // namespace
}  // namespace win32

// The file named by --log, else TX3_LOG_FILE's, else %LOCALAPPDATA%\TX3_Setup\TX3_Setup.log
// for an account with a profile of its own, %ProgramData%\Tarvox\TX3_Setup\Logs\TX3_Setup.log
// for SYSTEM and the accounts without one (see log_path.h); empty when no folder is known.
std::string SystemLogHost::Path() {
  const std::string named = NamedLogFile();
  const std::string configured = win32::EnvironmentValue("TX3_LOG_FILE").value_or("");
  if (!named.empty() || !configured.empty()) return ChooseLogPath(named, configured, {});
  return WindowsDefaultLogPath(win32::EnvironmentValue("LOCALAPPDATA"), win32::ProgramDataFolder());
}

std::string SystemLogHost::Timestamp() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  return text;
}

std::string_view SystemLogHost::LineEnd() {
  return "\r\n";
}

int64_t SystemLogHost::Size(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA info{};
  if (!::GetFileAttributesExW(win32::SystemPath(path).c_str(), GetFileExInfoStandard, &info)) {
    return -1;
  }
  return (static_cast<int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

void SystemLogHost::Move(const std::string& from, const std::string& to) {
  ::MoveFileExW(win32::SystemPath(from).c_str(), win32::SystemPath(to).c_str(),
                MOVEFILE_REPLACE_EXISTING);
}

bool SystemLogHost::Append(const std::string& path, std::string_view bytes) {
  const std::wstring wide = win32::Widen(path);
  const size_t separator = wide.find_last_of(L"\\/");
  if (separator != std::wstring::npos && separator > 0)
    win32::MakeFolders(wide.substr(0, separator));
  const HANDLE file = ::CreateFileW(win32::SystemPath(wide).c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  // A record that cannot be written (a full disk) is lost; the run goes on.
  if (!bytes.empty()) {
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  ::CloseHandle(file);
  return true;
}

}  // namespace tx3::platform
