// Capturing a finished workstation into an answer file (--save-answers): which installation the
// start-up read-back looks at, the fields it does not restore, and a capture that found nothing.
#pragma once

#include <optional>
#include <string>

#include "app/batch/batch_options.h"

namespace tx3 {

class FrmMain;

// The application folder the read-back looks in: the last folder row 0 of the options and answer
// files, empty when none gives it (the window's default).
std::string ReadBackFolderOf(const BatchOptions& options);

// Completes what the read-back does not restore from the installation's own files: folder row 0
// from the folder the read-back looked in, rows 2 and 3 from "Br_Sys.ini" of the configuration
// folder ("Repertoires": "REPLOG", "REPLOGPUB"). Runs before the field options, which still win.
void CompleteCapture(FrmMain& window);

// The warning of a capture that found no global configuration file where the read-back looked,
// when the options left some stored field to the window's default; nullopt otherwise.
std::optional<std::string> NothingCaptured(FrmMain& window, const BatchOptions& options);

}  // namespace tx3
