// The program's own artwork for the Windows window, drawn at run time with GDI from the same
// design as the Qt view's: a broadcast mark (a mast sending waves) on a blue tile.
#pragma once

#include <windows.h>

namespace tx3 {

// The logo laid on `background`, as an opaque bitmap for a picture control. The caller owns it.
HBITMAP LogoBitmap(int sizePixels, COLORREF background);

// The window icon at `sizePixels` (with its alpha channel). The caller owns it.
HICON ProgramIcon(int sizePixels);

}  // namespace tx3
