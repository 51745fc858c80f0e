// The directory query (the runtime's Dir, FindFirstFile) on the system's own listing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tx3::platform::win32 {

// The first entry matching `pattern` (folders only when `includeDirectories`); "." for a pattern
// ending with a separator that names an existing folder. Nothing found answers 0 and empty
// text; a name Windows refuses answers 52.
int32_t FindFirstEntry(std::string_view pattern, bool includeDirectories, std::string* firstName);

}  // namespace tx3::platform::win32
