// Handing a program, document or address to the shell.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tx3 {

class RunContext;

// The shell's open call with the shell's failures turned into run-time errors (recorded, traced or
// reported inside). Answers the shell's result (above 32 success).
int32_t ExecuterProgrammeExterne(RunContext& run, std::string_view operation, std::string_view file,
                                 const std::optional<std::string>& parameters,
                                 const std::optional<std::string>& folder, int32_t showCommand);

}  // namespace tx3
