#include "app/qt/twip_geometry.h"

namespace tx3 {

namespace {
constexpr long long kTwipsPerInch = 1440;
}

int ScaledPixels(int twips, int logicalDpi) {
  const long long scaled = static_cast<long long>(twips) * logicalDpi;
  const long long half = scaled >= 0 ? kTwipsPerInch / 2 : -kTwipsPerInch / 2;
  return static_cast<int>((scaled + half) / kTwipsPerInch);
}

QRect PixelRect(const ControlLayout& control, int logicalDpiX, int logicalDpiY) {
  // Right and bottom edges are scaled too, so neighbouring controls keep their gaps.
  const int left = ScaledPixels(control.left, logicalDpiX);
  const int top = ScaledPixels(control.top, logicalDpiY);
  const int right = ScaledPixels(control.left + control.width, logicalDpiX);
  const int bottom = ScaledPixels(control.top + control.height, logicalDpiY);
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace tx3
