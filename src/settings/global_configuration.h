// Step 2, "Créer les paramètres structurels": "Win.ini" on older Windows versions and the global
// configuration "Settings\TX3_Config.ini" under the application folder.
#pragma once

#include <string_view>

#include "settings/step_context.h"

namespace tx3 {

// The global configuration file, under the application folder (CheckRep's form).
inline constexpr std::string_view kGlobalConfigurationFile = "Settings\\TX3_Config.ini";

void RunGlobalConfiguration(StepContext& ctx);

// True when the configuration folder, as typed, exists; otherwise shows "Dossier de config non
// trouvé:" and the folder, and the command writes nothing.
bool ConfigFolderFound(StepContext& ctx);

// Whether "Win.ini" carries the configuration pointers on this Windows version (not from Vista
// on: codes 6 to 11).
bool UsesWinIni(int32_t codeVersionWindows);

}  // namespace tx3
