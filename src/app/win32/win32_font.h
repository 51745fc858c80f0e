// The window's font: the design's 8-point sans serif, or the nearest that leaves every caption
// of the window room in its control.
#pragma once

#include <windows.h>

namespace tx3 {

// The font every control shows at `dpi`.
LOGFONTW ChooseWindowFont(int dpi);

// Whether every caption of the window fits its control in `font` at `dpi`.
bool CaptionsFit(const LOGFONTW& font, int dpi);

}  // namespace tx3
