// Step 1, "Créer les dossiers": every missing folder of the folder fields.
#pragma once

#include "settings/step_context.h"

namespace tx3 {

void RunFolderStep(StepContext& ctx);

}  // namespace tx3
