// The directory query (the runtime's Dir, FindFirstFile) on the emulated drives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/posix/drive_map.h"

namespace tx3::platform::posix {

// The first entry, in the folder's listing order, that matches the last component of `pattern`
// ("*" and "?", case-insensitively); folders count only with `includeDirectories`. A pattern
// ending with a separator lists the folder itself, whose first entry is ".". Every folder lists
// "." and ".." first, drive roots included, so an empty drive still answers that it exists.
// Answers 0 (*firstName empty when nothing matches, the drive is missing or the path too long)
// or 52 when Windows refuses a component.
int32_t FindFirstEntry(DriveMap& drives, std::string_view pattern, bool includeDirectories,
                       std::string* firstName);

}  // namespace tx3::platform::posix
