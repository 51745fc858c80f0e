#include "app/run_files.h"

#include <utility>

#include "platform/platform.h"

namespace tx3 {

RunFilesScope::RunFilesScope(const BatchOptions& options,
                             platform::LogSettingsScope::Sink logTrouble)
    : log_(options.log.value_or(""), std::move(logTrouble)),
      engine_(options.engineLibrary.value_or("")) {
  if (!options.dryRun) platform::Os().OpenLog();
}

}  // namespace tx3
