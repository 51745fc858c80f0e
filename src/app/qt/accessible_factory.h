// How each of the Qt view's own accessibility objects reaches Qt: a factory installed once for
// the program, asked by class name for every object of that class.
#pragma once

#include <QAccessible>

namespace tx3 {

// Installs (once) the factory that gives each object of class `W` exactly (Qt asks by the class
// name, not for subclasses) the interface `Make` answers, or Qt's own when it answers nullptr.
template <typename W, QAccessibleInterface* (*Make)(W*)>
void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory([](const QString& className, QObject* object) {
      auto* widget = className == QLatin1String(W::staticMetaObject.className())
                         ? qobject_cast<W*>(object)
                         : nullptr;
      return widget == nullptr ? nullptr : Make(widget);
    });
    return true;
  }();
  (void)installed;
}

// The interface `A` on every object of the class.
template <typename W, typename A>
QAccessibleInterface* Always(W* widget) {
  return new A(widget);
}

}  // namespace tx3
