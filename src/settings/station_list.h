// The stations of the radio, as the station-name fields give them.
#pragma once

#include "settings/settings_window.h"

namespace tx3 {

// The number of leading station fields that are not blank (counting stops at the first blank
// one). When none is named, the first field receives "Station 1" and the count is 1.
int CountStations(SettingsWindow& window);

}  // namespace tx3
