// The focus mark of the controls that draw the style's focus frame (the "Codecs Audio" link, the
// check boxes, the component list's current row): a plain line at least 3:1 against what it is
// drawn on, where some styles draw a pale tint of the selection colour. Everything else is the
// application style's own.
#pragma once

#include <QProxyStyle>

namespace tx3 {

class FocusMarkStyle : public QProxyStyle {
 public:
  // A style of the same kind as the application's.
  FocusMarkStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace tx3
