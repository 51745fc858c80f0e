// The runtime's GetAttr / SetAttr and the 64-bit file size, on the system's own attributes.
#include <windows.h>

#include "platform/win32/file_calls.h"
#include "platform/win32/long_path.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_platform.h"

namespace tx3::platform::win32 {
namespace {

// The bits the runtime's attributes share with the system's (its values are the same).
constexpr DWORD kReadable =
    kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory | kAttrArchive;
constexpr DWORD kWritable = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;

}  // namespace

// Read-only 1, hidden 2, system 4, directory 16, archive 32; 53 when missing.
int32_t Win32Platform::GetAttributes(std::string_view path, uint32_t* attributes) {
  *attributes = 0;
  const DWORD found = sys::Attributes(SystemPath(path).c_str());
  if (found == INVALID_FILE_ATTRIBUTES) return LastClassicError();
  *attributes = found & kReadable;
  return 0;
}

// Sets read-only, hidden, system and archive; the directory bit is the file's own.
int32_t Win32Platform::SetAttributes(std::string_view path, uint32_t attributes) {
  const DWORD wanted = attributes & kWritable;
  // No attribute at all is spelt FILE_ATTRIBUTE_NORMAL.
  if (::SetFileAttributesW(SystemPath(path).c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL))
    return 0;
  return LastClassicError();
}

int32_t Win32Platform::FileSize(std::string_view path, int64_t* size) {
  *size = 0;
  const HANDLE file = sys::Open(SystemPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return LastClassicError();
  LARGE_INTEGER length{};
  const bool known = sys::Size(file, &length) != FALSE;
  const int32_t number = known ? 0 : LastClassicError();
  ::CloseHandle(file);
  if (known) *size = length.QuadPart;
  return number;
}

}  // namespace tx3::platform::win32
