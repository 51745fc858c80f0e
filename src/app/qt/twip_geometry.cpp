#include "app/qt/twip_geometry.h"

namespace tx3 {

QRect PixelRect(const ControlLayout& control, int logicalDpiX, int logicalDpiY) {
  const PixelEdges e = ScaledEdges(control, logicalDpiX, logicalDpiY);
  return QRect(e.left, e.top, e.right - e.left, e.bottom - e.top);
}

}  // namespace tx3
