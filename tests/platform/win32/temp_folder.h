// A fresh folder under %TEMP% for one test, removed with everything in it afterwards, and the
// file helpers the Windows tests share.
#pragma once

#include <windows.h>
#include <winioctl.h>

#include <atomic>
#include <string>
#include <string_view>

#include "platform/win32/long_path.h"
#include "platform/win32/wide_text.h"

namespace tx3::platform::win32 {

// Removes a folder and its content, read-only entries included.
inline void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry{};
  const HANDLE search = ::FindFirstFileW(SystemPath(folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = SystemPath(folder + L"\\" + name);
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(folder + L"\\" + name);
      } else {
        ::DeleteFileW(path.c_str());
      }
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(SystemPath(folder).c_str());
}

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    path_ = Narrow(temp) + "tx3_test_" + std::to_string(::GetCurrentProcessId()) + "_" +
            std::to_string(counter++);
    ::CreateDirectoryW(Widen(path_).c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(Widen(path_)); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, without a trailing backslash.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline std::string FileBytes(const std::string& path) {
  const HANDLE file = ::CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::string bytes;
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

// Makes a file of `size` bytes (sparse where the file system allows it).
inline bool MakeFile(const std::string& path, int64_t size, std::string_view bytes = {}) {
  const HANDLE file = ::CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD ignored = 0;
  ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  DWORD written = 0;
  bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  LARGE_INTEGER end{};
  end.QuadPart = size;
  ok = ok && ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
  ::CloseHandle(file);
  return ok;
}

}  // namespace tx3::platform::win32
