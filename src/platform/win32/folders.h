// Folder creation with the Win32 calls, failures as the classic numbers.
#pragma once

#include <cstdint>
#include <string_view>

namespace tx3::platform::win32 {

// CreateDirectoryW: 0, or 75 (exists / denied), 76 (parent missing), 52 (refused name).
int32_t MakeFolder(std::string_view path);
// CreateDirectoryExW, the new folder taking the template folder's attributes.
bool MakeFolderLike(std::string_view templateFolder, std::string_view path);

}  // namespace tx3::platform::win32
