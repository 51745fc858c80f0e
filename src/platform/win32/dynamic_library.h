// Engine libraries, loaded by their full path (see library_search.h for where a bare name is
// looked for).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace tx3::platform::win32 {

// The library, or nullptr and *error 48 when it cannot be loaded.
std::unique_ptr<Library> OpenLibrary(std::string_view nameOrPath, int32_t* error);

}  // namespace tx3::platform::win32
