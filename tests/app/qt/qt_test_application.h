// The one QApplication of the Qt tests, offscreen unless QT_QPA_PLATFORM chooses a display.
#pragma once

namespace tx3::testing {

void EnsureQtApplication();

}  // namespace tx3::testing
