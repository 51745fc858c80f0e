// The seven step buttons (CommandCreerSettings_Click).
#pragma once

#include <cstdint>

#include "settings/settings_window.h"

namespace tx3 {

class SystemContext;

// Runs step button `index` (0 to 6) of `window`: busy guard, normalised folders, installation
// root, dispatch, common ending.
void CommandCreerSettings_Click(SystemContext& run, SettingsWindow& window, int16_t index);

}  // namespace tx3
