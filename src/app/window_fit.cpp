#include "app/window_fit.h"

#include <algorithm>
#include <cmath>

namespace tx3 {

WindowFit FitInside(ClientSize design, ClientSize room, int bar) {
  bool vertical = design.height > room.height;
  bool horizontal = design.width + (vertical ? bar : 0) > room.width;
  // A horizontal bar takes height the vertical one may then be needed for.
  if (horizontal && !vertical) vertical = design.height + bar > room.height;
  const int width = std::min(design.width, room.width - (vertical ? bar : 0));
  const int height = std::min(design.height, room.height - (horizontal ? bar : 0));
  return {{std::max(width, 1), std::max(height, 1)}, vertical, horizontal};
}

int ScrollToShow(int position, int length, int start, int end) {
  if (start < position || end - start > length) return start;
  if (end > position + length) return end - length;
  return position;
}

double TextScale(double points, double defaultPoints) {
  if (points <= 0 || defaultPoints <= 0) return 1.0;
  return std::max(1.0, points / defaultPoints);
}

int ScaledDpi(int dpi, double scale) {
  return static_cast<int>(std::lround(dpi * std::max(scale, 1.0)));
}

}  // namespace tx3
