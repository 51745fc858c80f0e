#include "app/qt/window_font.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <iterator>

#include "app/qt/qt_text.h"
#include "app/window_fit.h"
#include "app/window_layout.h"

namespace tx3 {

namespace {

QFont Variant(const QFont& base, const FontStep& step, double scale) {
  QFont font = base;
  font.setPointSizeF(step.points * scale);
  font.setStretch(step.stretch);  // QFont::Unstretched, SemiCondensed, Condensed: percents
  return font;
}

// The text size each desktop's own settings start from: GNOME's and KDE's default fonts, and
// Qt's own (Windows' message font is the same 9 points) elsewhere.
struct DesktopDefault {
  std::string_view name;
  double points;
};
constexpr DesktopDefault kDesktopDefaults[] = {
    {"GNOME", 11.0}, {"Unity", 11.0}, {"Budgie", 11.0}, {"KDE", 10.0}, {"LXQt", 10.0}};
constexpr double kQtDefaultPoints = 9.0;

double DefaultPoints(std::string_view desktopName) {
  for (const DesktopDefault& d : kDesktopDefaults) {
    // XDG_CURRENT_DESKTOP is a colon-separated list, "ubuntu:GNOME" for instance.
    if (desktopName.find(d.name) != std::string_view::npos) return d.points;
  }
  return kQtDefaultPoints;
}

}  // namespace

double DesktopTextScale(const QFont& desktop, std::string_view desktopName) {
  return TextScale(desktop.pointSizeF(), DefaultPoints(desktopName));
}

bool CaptionsFit(const QFont& font, const QPaintDevice* device, double scale) {
  const QFontMetricsF metrics(font, device);
  return EveryCaptionFits(ScaledDpi(device->logicalDpiX(), scale), [&](std::string_view caption) {
    return metrics.horizontalAdvance(QtText(caption));
  });
}

QFont WindowFont(const QFont& base, const QPaintDevice* device, double scale) {
  for (const FontStep& step : kFontSteps) {
    const QFont font = Variant(base, step, scale);
    if (CaptionsFit(font, device, scale)) return font;
  }
  return Variant(base, kFontSteps[std::size(kFontSteps) - 1], scale);
}

}  // namespace tx3
