// The contrast ratio of two colours (0xRRGGBB) by the WCAG 2 formula, written here apart from the
// program's own so that the views' colours are held against an independent measure.
#pragma once

#include <algorithm>
#include <cmath>

namespace tx3::testing {

inline double WcagLuminance(unsigned rgb) {
  double sum = 0;
  const double weights[] = {0.2126, 0.7152, 0.0722};
  for (int i = 0; i < 3; ++i) {
    const double c = ((rgb >> (16 - 8 * i)) & 0xFF) / 255.0;
    sum += weights[i] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
  }
  return sum;
}

inline double WcagContrast(unsigned a, unsigned b) {
  const double la = WcagLuminance(a);
  const double lb = WcagLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace tx3::testing
