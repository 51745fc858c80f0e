// The window's font: the design's 8-point sans serif, or the nearest that leaves every caption
// of the window room in its control.
#pragma once

#include <windows.h>

namespace tx3 {

// The font every control shows at `dpi`.
LOGFONTW ChooseWindowFont(int dpi);

// How much larger than its default the system shows text: the "Make text bigger" setting
// (TextScaleFactor, in percent) where the system has it, else the message font's size against
// its default 9 points; never below 1. The window's design grows by it as by the density.
double SystemTextScale();

}  // namespace tx3
