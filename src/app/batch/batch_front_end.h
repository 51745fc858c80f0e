// The batch front end: the main window created without being shown, its fields set and its
// buttons pressed from the command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tx3 {

inline constexpr int kExitOk = 0;
inline constexpr int kExitTrouble = 1;  // a warning or critical message, or an error reported
inline constexpr int kExitUsage = 2;
inline constexpr int kExitWouldChange = 3;  // --dry-run: something would change

// Runs the arguments that follow the program name: --help, --version or --batch ...
// Message blocks go to `out`, usage errors and verbose status texts to `err`.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tx3
