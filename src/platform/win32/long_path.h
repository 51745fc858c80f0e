// Paths as the W functions take them: UTF-16, and past the classic limit in the "\\?\" form that
// lifts it.
#pragma once

#include <string>
#include <string_view>

namespace tx3::platform::win32 {

// Paths from this length on get the "\\?\" form. CreateDirectoryW stops at 248 characters (room
// for an 8.3 name below the folder), earlier than the 260 of the other calls.
inline constexpr size_t kLongPathFrom = 248;

// The path in UTF-16: as given while its absolute form is short, or when it already starts with
// "\\?\" or "\\.\"; else made absolute and prefixed with "\\?\" (a share "\\SRV\Share\..." with
// "\\?\UNC\").
std::wstring SystemPath(std::string_view utf8Path);
std::wstring SystemPath(std::wstring path);

// The absolute form of a path (GetFullPathNameW), "/" turned into "\".
std::wstring FullPath(const std::wstring& path);

}  // namespace tx3::platform::win32
