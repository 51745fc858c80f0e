// Step 3, "Créer les paramètres généraux": the system settings, music and advertising defaults.
#pragma once

#include "settings/step_context.h"

namespace tx3 {

void RunGeneralSettings(StepContext& ctx);

}  // namespace tx3
