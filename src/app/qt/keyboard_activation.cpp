#include "app/qt/keyboard_activation.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace tx3 {

bool KeyboardActivation::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* button = qobject_cast<QAbstractButton*>(watched);
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (button == nullptr || !enter || key->modifiers() & ~Qt::KeypadModifier) return false;
  if (!key->isAutoRepeat() && button->isEnabled()) button->click();
  return true;
}

}  // namespace tx3
