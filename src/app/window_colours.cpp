#include "app/window_colours.h"

#include <algorithm>
#include <cmath>

namespace tx3 {

namespace {

double Channel(unsigned value) {
  const double c = static_cast<double>(value & 0xFFu) / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(unsigned rgb) {
  return 0.2126 * Channel(rgb >> 16) + 0.7152 * Channel(rgb >> 8) + 0.0722 * Channel(rgb);
}

}  // namespace

double ContrastRatio(unsigned rgb, unsigned otherRgb) {
  const double a = Luminance(rgb);
  const double b = Luminance(otherRgb);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool IsDark(unsigned rgb) {
  return ContrastRatio(rgb, 0xFFFFFF) > ContrastRatio(rgb, 0x000000);
}

unsigned ReadableColour(std::initializer_list<unsigned> choices, unsigned background,
                        double ratio) {
  unsigned best = 0;
  double bestRatio = -1;
  for (unsigned choice : choices) {
    const double r = ContrastRatio(choice, background);
    if (r >= ratio) return choice;
    if (r > bestRatio) {
      best = choice;
      bestRatio = r;
    }
  }
  return best;
}

unsigned LinkColour(const LinkColours& c) {
  if (c.systemTheme)
    return ReadableColour({c.system, c.design, c.text}, c.background, kTextContrast);
  return ReadableColour({c.design, c.system, c.text}, c.background, kTextContrast);
}

}  // namespace tx3
