// Twips to pixels for the Qt window: 1440 twips an inch, so 15 twips a pixel at 96 dpi and more
// pixels on a denser screen.
#pragma once

#include <QRect>

#include "app/window_layout.h"

namespace tx3 {

// The control's rectangle in the client area, in pixels.
QRect PixelRect(const ControlLayout& control, int logicalDpiX, int logicalDpiY);

}  // namespace tx3
