#include "platform/win32/folders.h"

#include <windows.h>

#include "platform/error_numbers.h"
#include "platform/win32/file_calls.h"
#include "platform/win32/long_path.h"
#include "platform/win32/name_rules.h"
#include "platform/win32/win32_errors.h"

namespace tx3::platform::win32 {

int32_t MakeFolder(std::string_view path) {
  if (HasRefusedComponent(path)) return err::kBadFileName;
  if (sys::MakeFolder(SystemPath(path).c_str())) return 0;
  return LastClassicError();
}

bool MakeFolderLike(std::string_view templateFolder, std::string_view path) {
  if (HasRefusedComponent(path)) return false;
  return sys::MakeFolderLike(SystemPath(templateFolder).c_str(), SystemPath(path).c_str()) != FALSE;
}

}  // namespace tx3::platform::win32
