#include "app/qt/link_label.h"

#include <QMouseEvent>

namespace tx3 {

LinkLabel::LinkLabel(const QString& text, QColor colour, QWidget* parent) : QLabel(text, parent) {
  QPalette look = palette();
  look.setColor(QPalette::WindowText, colour);
  setPalette(look);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release over the label with the main button.
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace tx3
