// File attributes and sizes on the emulated drives (GetAttr, SetAttr, _lopen + GetFileSize).
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/posix/drive_map.h"

namespace tx3::platform::posix {

// Read-only (1) = no write permission bit; directory 16; archive 32 on files.
// 0, 52 (refused name), 53 (not found) or 75 (cannot be read).
int32_t ReadAttributes(DriveMap& drives, std::string_view path, uint32_t* attributes);

// Only the read-only bit can be changed: set, it removes every write permission bit; clear, it
// gives the owner write permission back. 0, 52, 53 or 75 (permissions cannot be changed).
int32_t WriteAttributes(DriveMap& drives, std::string_view path, uint32_t attributes);

// Opens the file for reading and answers its 64-bit size. 0, 52, 53 (missing) or 75 (cannot be
// opened, or a folder).
int32_t ReadFileSize(DriveMap& drives, std::string_view path, int64_t* size);

}  // namespace tx3::platform::posix
