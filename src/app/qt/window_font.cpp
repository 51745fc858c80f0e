#include "app/qt/window_font.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <iterator>

#include "app/qt/qt_text.h"
#include "app/window_layout.h"

namespace tx3 {

namespace {

struct FontChoice {
  double points;
  int stretch;
};

// From the design's own size down; narrower before smaller.
constexpr FontChoice kChoices[] = {
    {8.0, QFont::Unstretched}, {8.0, QFont::SemiCondensed}, {8.0, QFont::Condensed},
    {7.5, QFont::Condensed},   {7.0, QFont::Condensed},     {6.5, QFont::Condensed},
};

QFont Variant(const QFont& base, const FontChoice& choice) {
  QFont font = base;
  font.setPointSizeF(choice.points);
  font.setStretch(choice.stretch);
  return font;
}

}  // namespace

bool CaptionsFit(const QFont& font, const QPaintDevice* device) {
  const QFontMetricsF metrics(font, device);
  return EveryCaptionFits(device->logicalDpiX(), [&](std::string_view caption) {
    return metrics.horizontalAdvance(QtText(caption));
  });
}

QFont WindowFont(const QFont& base, const QPaintDevice* device) {
  for (const FontChoice& choice : kChoices) {
    const QFont font = Variant(base, choice);
    if (CaptionsFit(font, device)) return font;
  }
  return Variant(base, kChoices[std::size(kChoices) - 1]);
}

}  // namespace tx3
