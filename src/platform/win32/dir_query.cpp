// The directory query (the runtime's Dir, FindFirstFile) on the system's own listing.
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "platform/win32/long_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_platform.h"
#include "platform/windows_path.h"

namespace tx3::platform::win32 {
namespace {

// The failures that only say "nothing there": no file, no folder, no drive, no share.
constexpr DWORD kNothingFound[] = {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_NO_MORE_FILES,
                                   ERROR_INVALID_DRIVE,  ERROR_NOT_READY,      ERROR_BAD_NETPATH,
                                   ERROR_BAD_NET_NAME,   ERROR_DIRECTORY};

int32_t Failure(DWORD error) {
  return std::ranges::find(kNothingFound, error) != std::end(kNothingFound) ? 0
                                                                            : ClassicError(error);
}

// "C:\" or "\\SRV\Share\": a root that FindFirstFileW cannot list as an entry.
bool IsRoot(std::string_view folder) {
  const PathSplit split = SplitPath(folder);
  return (split.form == PathForm::kDrive || split.form == PathForm::kUnc) &&
         split.components.empty();
}

}  // namespace

// "." for a pattern ending with a separator that names an existing folder. Nothing found answers
// 0 and empty text; a name Windows refuses answers 52.
int32_t Win32Platform::FindFirst(std::string_view pattern, bool includeDirectories,
                                 std::string* firstName) {
  firstName->clear();
  std::wstring wide = Widen(pattern);
  if (!pattern.empty() && IsSeparator(pattern.back())) {
    // The folder itself: asked without its final separator, except a root, which has no entry.
    if (!IsRoot(pattern)) {
      while (wide.size() > 1 && (wide.back() == L'\\' || wide.back() == L'/')) wide.pop_back();
    }
    const DWORD attributes = ::GetFileAttributesW(SystemPath(wide).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Failure(::GetLastError());
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && includeDirectories) *firstName = ".";
    return 0;
  }
  WIN32_FIND_DATAW entry{};
  const HANDLE search = ::FindFirstFileW(SystemPath(wide).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return Failure(::GetLastError());
  do {
    if (includeDirectories || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      *firstName = Narrow(entry.cFileName);
      break;
    }
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  return 0;
}

}  // namespace tx3::platform::win32
