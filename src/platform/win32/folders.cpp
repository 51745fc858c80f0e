// Folder creation with the Win32 calls, failures as the classic numbers.
#include <windows.h>

#include "platform/error_numbers.h"
#include "platform/win32/file_calls.h"
#include "platform/win32/long_path.h"
#include "platform/win32/name_rules.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_platform.h"

namespace tx3::platform::win32 {

// CreateDirectoryW: 0, or 75 (exists / denied), 76 (parent missing), 52 (refused name).
int32_t Win32Platform::MakeDirectory(std::string_view path) {
  if (HasRefusedComponent(path)) return err::kBadFileName;
  if (sys::MakeFolder(SystemPath(path).c_str())) return 0;
  return LastClassicError();
}

// CreateDirectoryExW, the new folder taking the template folder's attributes.
bool Win32Platform::CreateFolderLike(std::string_view templateFolder, std::string_view path) {
  if (HasRefusedComponent(path)) return false;
  return sys::MakeFolderLike(SystemPath(templateFolder).c_str(), SystemPath(path).c_str()) != FALSE;
}

}  // namespace tx3::platform::win32
