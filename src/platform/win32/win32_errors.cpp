#include "platform/win32/win32_errors.h"

#include <windows.h>

#include "platform/error_numbers.h"

namespace tx3::platform::win32 {

int32_t ClassicError(uint32_t win32Error) {
  switch (win32Error) {
    case ERROR_SUCCESS:
      return 0;
    case ERROR_FILE_NOT_FOUND:
      return err::kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    // A missing drive or share is a missing path, as the Linux side answers for it.
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
      return err::kPathNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return err::kBadFileName;
    default:
      // Denied, in use, already there, and the rarer causes: the runtime's path/file access error.
      return err::kPathFileAccess;
  }
}

int32_t LastClassicError() {
  return ClassicError(::GetLastError());
}

}  // namespace tx3::platform::win32
