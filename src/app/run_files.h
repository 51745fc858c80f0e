// The log file and the engine library a command line names (--log, --engine-library), in force
// for the length of one run of the window or of the batch front end.
#pragma once

#include "app/batch/batch_options.h"
#include "database/engine.h"
#include "platform/log_path.h"

namespace tx3 {

class RunFilesScope {
 public:
  // Names the files for the run and, but in a dry run, opens the log at once: a log that cannot
  // be opened is reported through `logTrouble` (one line, once per run) before anything happens.
  RunFilesScope(const BatchOptions& options, platform::LogSettingsScope::Sink logTrouble);

 private:
  platform::LogSettingsScope log_;
  EngineLibraryScope engine_;
};

}  // namespace tx3
