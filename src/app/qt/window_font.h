// The window's default font. The design was drawn for an 8-point system font; other systems'
// fonts are often wider, so the font is narrowed, then made smaller, only as far as every
// caption of the window needs to fit in its control.
#pragma once

#include <QFont>
#include <string_view>

class QPaintDevice;

namespace tx3 {

// `base`'s family at 8 points (times `scale`, the design's growth with the system's text size)
// or the first narrower / smaller variant in which every caption of the window layout fits,
// measured on `device` (the window) with the design grown by `scale`.
QFont WindowFont(const QFont& base, const QPaintDevice* device, double scale = 1.0);

// Whether every caption of the window layout fits its control in `font` on `device`, the design
// grown by `scale`.
bool CaptionsFit(const QFont& font, const QPaintDevice* device, double scale = 1.0);

// How much larger than the desktop's default the desktop's text is (`desktop`, the application's
// font, against the default of the desktop named `desktopName`, as XDG_CURRENT_DESKTOP names it):
// 1 at the default setting or below.
double DesktopTextScale(const QFont& desktop, std::string_view desktopName);

}  // namespace tx3
