#include "platform/win32/log_file.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdio>

#include "platform/log_path.h"
#include "platform/log_record.h"

#include "platform/win32/long_path.h"
#include "platform/win32/system_info.h"
#include "platform/win32/wide_text.h"

namespace tx3::platform::win32 {
namespace {

// Makes every missing folder of `folder`, outermost first; failures are left to the open.
void MakeFolders(const std::wstring& folder) {
  for (size_t pos = folder.find_first_of(L"\\/", 3); pos != std::wstring::npos;
       pos = folder.find_first_of(L"\\/", pos + 1)) {
    ::CreateDirectoryW(SystemPath(folder.substr(0, pos)).c_str(), nullptr);
  }
  ::CreateDirectoryW(SystemPath(folder).c_str(), nullptr);
}

void RotateWhenFull(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA info{};
  if (!::GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &info)) return;
  const int64_t size = (static_cast<int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  if (size < kLogRotateBytes) return;
  for (int n = kLogKeptFiles - 1; n >= 1; --n) {
    ::MoveFileExW(SystemPath(path + L"." + std::to_wstring(n)).c_str(),
                  SystemPath(path + L"." + std::to_wstring(n + 1)).c_str(),
                  MOVEFILE_REPLACE_EXISTING);
  }
  ::MoveFileExW(SystemPath(path).c_str(), SystemPath(path + L".1").c_str(),
                MOVEFILE_REPLACE_EXISTING);
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

// The log file opened for appending, its folder made; INVALID_HANDLE_VALUE (and the run told
// once) when it cannot be.
HANDLE OpenLog(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/");
  if (separator != std::wstring::npos && separator > 0) MakeFolders(path.substr(0, separator));
  const HANDLE file = path.empty()
                          ? INVALID_HANDLE_VALUE
                          : ::CreateFileW(SystemPath(path).c_str(), FILE_APPEND_DATA,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) ReportLogUnavailable(Narrow(path));
  return file;
}

}  // namespace

std::string LogFilePath() {
  const std::string named = NamedLogFile();
  const std::string configured = EnvironmentValue("TX3_LOG_FILE").value_or("");
  if (!named.empty() || !configured.empty()) return ChooseLogPath(named, configured, {});
  return WindowsDefaultLogPath(EnvironmentValue("LOCALAPPDATA"), ProgramDataFolder());
}

std::string LocalTimestamp() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  return text;
}

void LogFile::Open() {
  const std::lock_guard<std::mutex> lock(mutex_);
  const HANDLE file = OpenLog(Widen(LogFilePath()));
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
}

void LogFile::Append(std::string_view line) {
  const std::wstring path = Widen(LogFilePath());
  const std::string record = LogRecord(LocalTimestamp(), line, "\r\n");
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!path.empty()) RotateWhenFull(path);
  const HANDLE file = OpenLog(path);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  // A record that cannot be written (a full disk) is lost; the run goes on.
  ::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace tx3::platform::win32
