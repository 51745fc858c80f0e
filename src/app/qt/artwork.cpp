#include "app/qt/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tx3 {

namespace {

// Drawn on a 100 × 100 grid, scaled to the requested size.
constexpr double kGrid = 100.0;

void DrawTile(QPainter& p) {
  QLinearGradient sky(0, 0, 0, kGrid);
  sky.setColorAt(0.0, QColor(40, 110, 220));
  sky.setColorAt(1.0, QColor(12, 40, 110));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  p.drawRoundedRect(QRectF(2, 2, kGrid - 4, kGrid - 4), 16, 16);
}

void DrawMast(QPainter& p) {
  QPainterPath mast;
  mast.moveTo(50, 44);
  mast.lineTo(34, 88);
  mast.lineTo(40, 88);
  mast.lineTo(50, 60);
  mast.lineTo(60, 88);
  mast.lineTo(66, 88);
  mast.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(mast);
  p.drawEllipse(QPointF(50, 40), 7, 7);
}

void DrawWaves(QPainter& p) {
  p.setBrush(Qt::NoBrush);
  const QColor colours[] = {QColor(255, 255, 255), QColor(200, 225, 255), QColor(150, 195, 255)};
  for (int ring = 0; ring < 3; ++ring) {
    QPen pen(colours[ring], 5.0 - ring, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    const double r = 15.0 + 11.0 * ring;
    const QRectF box(50 - r, 40 - r, 2 * r, 2 * r);
    // Qt angles are in sixteenths of a degree, counter-clockwise from three o'clock.
    p.drawArc(box, -40 * 16, 80 * 16);  // right
    p.drawArc(box, 140 * 16, 80 * 16);  // left
  }
}

}  // namespace

QPixmap DrawLogo(int sizePixels) {
  QPixmap logo(sizePixels, sizePixels);
  logo.fill(Qt::transparent);
  QPainter p(&logo);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(sizePixels / kGrid, sizePixels / kGrid);
  DrawTile(p);
  DrawWaves(p);
  DrawMast(p);
  return logo;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(DrawLogo(size));
  return icon;
}

}  // namespace tx3
