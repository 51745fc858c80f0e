// Steps 4 to 7: the download addresses of the database engine, the audio converter, the suite's
// components installer and its component packages, opened in the default browser.
#pragma once

#include <string>

#include "settings/step_context.h"

namespace tx3 {

void RunDatabaseEngineDownload(StepContext& ctx);
void RunConverterDownload(StepContext& ctx);
void RunComponentsInstaller(StepContext& ctx);
void RunPackageDownloads(StepContext& ctx);

// The package file of row `row` of the component list; empty beyond the last package.
std::string PackageOfRow(int row);

}  // namespace tx3
