#include "platform/win32/log_file.h"

#include <windows.h>

#include <cstdio>

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

}  // namespace

std::string LogFilePath() {
  const std::optional<std::string> configured = EnvironmentValue("TX3_LOG_FILE");
  if (configured && !configured->empty()) return *configured;
  const std::optional<std::string> local = EnvironmentValue("LOCALAPPDATA");
  if (!local || local->empty()) return {};
  return *local + "\\TX3_Setup\\TX3_Setup.log";
}

std::string LocalTimestamp() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  return text;
}

void LogFile::Append(std::string_view line) {
  const std::wstring path = Widen(LogFilePath());
  if (path.empty()) return;
  const std::string record = LogRecord(LocalTimestamp(), line, "\r\n");
  const std::lock_guard<std::mutex> lock(mutex_);
  const size_t separator = path.find_last_of(L"\\/");
  if (separator != std::wstring::npos && separator > 0) MakeFolders(path.substr(0, separator));
  RotateWhenFull(path);
  const HANDLE file = ::CreateFileW(SystemPath(path).c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  // A log that cannot be written is given up silently.
  ::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace tx3::platform::win32
