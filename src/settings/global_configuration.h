// Step 2, "Créer les paramètres structurels": the global configuration file, and the check of the
// configuration folder that steps 2 and 3 make first.
#pragma once

#include <string_view>

#include "settings/step_context.h"

namespace tx3 {

// The global configuration file, under the application folder (CheckRep's form).
inline constexpr std::string_view kGlobalConfigurationFile = "Settings\\TX3_Config.ini";

// True when the configuration folder, as typed, exists; otherwise shows "Dossier de config non
// trouvé:" and the folder, and the command writes nothing.
bool ConfigFolderFound(StepContext& ctx);

}  // namespace tx3
