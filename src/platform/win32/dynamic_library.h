// Engine libraries, loaded by their full path (see library_search.h for where a bare name is
// looked for).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace tx3::platform::win32 {

// The library, or nullptr and *error 48 when it cannot be loaded. The folders of PATH passed over
// while looking for a bare name (library_search.h) are added to `skipped` when given.
std::unique_ptr<Library> OpenLibrary(std::string_view nameOrPath, int32_t* error,
                                     std::vector<std::string>* skipped = nullptr);

}  // namespace tx3::platform::win32
