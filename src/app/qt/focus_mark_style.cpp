#include "app/qt/focus_mark_style.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "app/qt/qt_text.h"
#include "app/window_colours.h"

namespace tx3 {

namespace {

// What the frame is drawn on: a list's row (selected or not) or the window.
QColor Background(const QStyleOption& option, const QWidget* widget) {
  if ((option.state & QStyle::State_Selected) != 0)
    return option.palette.color(QPalette::Highlight);
  if (qobject_cast<const QAbstractItemView*>(widget) != nullptr) {
    return option.palette.color(QPalette::Base);
  }
  const auto* frame = qstyleoption_cast<const QStyleOptionFocusRect*>(&option);
  if (frame != nullptr && frame->backgroundColor.isValid()) return frame->backgroundColor;
  return option.palette.color(QPalette::Window);
}

// The colour of the focus mark drawn on `background` with `palette`.
QColor FocusMarkColour(const QPalette& palette, const QColor& background) {
  return QColor::fromRgb(ReadableColour(
      {Rgb(palette.color(QPalette::Highlight)), Rgb(palette.color(QPalette::WindowText)),
       Rgb(palette.color(QPalette::HighlightedText))},
      Rgb(background), kMarkContrast));
}

}  // namespace

FocusMarkStyle::FocusMarkStyle() : QProxyStyle(QApplication::style()->name()) {}

void FocusMarkStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
  if (element != PE_FrameFocusRect || option == nullptr) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  // Drawn when the base style draws it: after a move of the keyboard's focus.
  if ((option->state & State_KeyboardFocusChange) == 0) return;
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setBrush(Qt::NoBrush);
  painter->setPen(QPen(FocusMarkColour(option->palette, Background(*option, widget)), 1));
  painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
  painter->restore();
}

}  // namespace tx3
