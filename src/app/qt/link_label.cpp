#include "app/qt/link_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "app/qt/accessible_factory.h"

namespace tx3 {
namespace {

// What a screen reader meets: a link, named by its text unless given a name, with a press action.
class LinkLabelAccessible : public QAccessibleWidget {
 public:
  explicit LinkLabelAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

  QString text(QAccessible::Text t) const override {
    const QString given = QAccessibleWidget::text(t);
    if (t != QAccessible::Name || !given.isEmpty()) return given;
    return static_cast<LinkLabel*>(widget())->text();
  }
  QStringList actionNames() const override {
    return QAccessibleWidget::actionNames() << pressAction();
  }
  void doAction(const QString& name) override {
    if (name == pressAction()) {
      static_cast<LinkLabel*>(widget())->activate();
    } else {
      QAccessibleWidget::doAction(name);
    }
  }
};

}  // namespace

LinkLabel::LinkLabel(const QString& text, QColor colour, QWidget* parent) : QLabel(text, parent) {
  InstallAccessibility<LinkLabel, Always<LinkLabel, LinkLabelAccessible>>();
  QPalette look = palette();
  look.setColor(QPalette::WindowText, colour);
  setPalette(look);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release over the label with the main button.
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!event->isAutoRepeat()) emit clicked();
      event->accept();
      return;
    default:
      QLabel::keyPressEvent(event);
  }
}

void LinkLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  // A label draws no focus of its own: the style's focus frame, as around a button's text.
  QStylePainter painter(this);
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  frame.backgroundColor = palette().color(backgroundRole());
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

}  // namespace tx3
