// The batch front end: the main window created without being shown, its fields set and its
// buttons pressed from the command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/batch/run_record.h"

namespace tx3 {

// The exit statuses, which deployment tools map: 0 and 4 are success, 1 is failure.
inline constexpr int kExitOk = 0;  // done, no warning
// Something was not done: a critical message, an error reported to the log, a settings file not
// written, a folder or data file not created, answers or a report that could not be written.
inline constexpr int kExitNotDone = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitWouldChange = 3;  // --dry-run: something would change
inline constexpr int kExitWarnings = 4;     // everything was done; warnings were shown

// 1 wins over 3, 3 over 4, 4 over 0; 3 only in a dry run.
int ExitStatusOf(const RunOutcome& outcome);

// Runs the arguments that follow the program name: --help, --version or --batch ...
// Message blocks go to `out`, usage errors and verbose status texts to `err`.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tx3
