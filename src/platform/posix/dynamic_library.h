// Libraries loaded at run time (the engine library), through dlopen.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace tx3::platform::posix {

// dlopen with RTLD_NOW | RTLD_LOCAL; nullptr and *error = 48 when it cannot be loaded. With
// `keepLoaded` the library stays in the process when closed (RTLD_NODELETE): a module that loads
// libraries with exit handlers of their own must outlive them.
std::unique_ptr<Library> OpenLibrary(std::string_view nameOrPath, int32_t* error,
                                     bool keepLoaded = false);

}  // namespace tx3::platform::posix
