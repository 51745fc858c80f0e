// ShellExecuteW with the program's UTF-8 texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tx3::platform::win32 {

// The shell's own result (above 32 success); an empty operation is the default verb.
intptr_t ShellOpen(std::string_view operation, std::string_view file,
                   const std::optional<std::string>& parameters,
                   const std::optional<std::string>& folder, int32_t showCommand);

}  // namespace tx3::platform::win32
