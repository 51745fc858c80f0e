#include "platform/win32/long_path.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace tx3::platform::win32 {

std::wstring FullPath(const std::wstring& path) {
  DWORD size = MAX_PATH;
  std::wstring full;
  for (int attempt = 0; attempt < 3; ++attempt) {
    full.assign(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0) return path;
    if (length < size) {
      full.resize(length);
      return full;
    }
    size = length;
  }
  return path;
}

std::wstring SystemPath(std::wstring path) {
  if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return path;
  // The limit applies to the absolute form: a short relative path can reach past it.
  std::wstring full = FullPath(path);
  if (full.size() < kLongPathFrom) return path;
  if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) return full;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

std::wstring SystemPath(std::string_view utf8Path) {
  return SystemPath(Widen(utf8Path));
}

}  // namespace tx3::platform::win32
