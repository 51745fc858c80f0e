// The window's default font. The design was drawn for an 8-point system font; other systems'
// fonts are often wider, so the font is narrowed, then made smaller, only as far as every
// caption of the window needs to fit in its control.
#pragma once

#include <QFont>

class QPaintDevice;

namespace tx3 {

// `base`'s family at 8 points or the first narrower / smaller variant in which every caption of
// the window layout fits, measured on `device` (the window).
QFont WindowFont(const QFont& base, const QPaintDevice* device);

// Whether every caption of the window layout fits its control in `font` on `device`.
bool CaptionsFit(const QFont& font, const QPaintDevice* device);

}  // namespace tx3
