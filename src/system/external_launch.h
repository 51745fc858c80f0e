// Handing a program, document or address to the shell.
#pragma once

#include <cstdint>
#include <string_view>

namespace tx3 {

class RunContext;

// The shell's "Open" of `file` in a normal window, with the shell's failures turned into run-time
// errors (recorded, traced or reported inside). Answers the shell's result (above 32 success).
int32_t ExecuterProgrammeExterne(RunContext& run, std::string_view file);

}  // namespace tx3
