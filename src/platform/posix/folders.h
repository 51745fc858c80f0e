// Folder creation on the emulated drives (the runtime's MkDir, CreateDirectoryA/ExA).
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/posix/drive_map.h"

namespace tx3::platform::posix {

// Makes one folder: 0, 75 (exists or denied), 76 (parent missing, drive missing, path too long)
// or 52 (a name Windows refuses). A drive root or a network share cannot be made.
int32_t MakeFolder(DriveMap& drives, std::string_view path);

}  // namespace tx3::platform::posix
