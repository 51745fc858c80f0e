// Colours that stay readable whatever the theme: the contrast ratio of two colours as the Web
// Content Accessibility Guidelines define it, and the first of several colours that reaches a
// ratio against a background. Colours are 0xRRGGBB; no toolkit here.
#pragma once

#include <initializer_list>

namespace tx3 {

// What text needs against its background (4.5:1) and what a focus mark or other drawn part needs
// (3:1).
inline constexpr double kTextContrast = 4.5;
inline constexpr double kMarkContrast = 3.0;

// (L1 + 0.05) / (L2 + 0.05), the lighter colour's relative luminance over the darker's.
double ContrastRatio(unsigned rgb, unsigned otherRgb);

// Whether `rgb` is a dark colour: white text would read better on it than black.
bool IsDark(unsigned rgb);

// The first of `choices` with at least `ratio` against `background`; when none has, the one
// with the highest ratio.
unsigned ReadableColour(std::initializer_list<unsigned> choices, unsigned background, double ratio);

// The link's colour: the design's own, or the system's link colour where the system asks for
// its own colours (a high-contrast or dark theme); `text` when neither reads as text should.
struct LinkColours {
  unsigned design, system, text, background;
  bool systemTheme;  // the theme is not the default one, or the window is dark
};
unsigned LinkColour(const LinkColours& colours);

}  // namespace tx3
