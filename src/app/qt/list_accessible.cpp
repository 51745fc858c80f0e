#include "app/qt/list_accessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

#include "app/qt/accessible_factory.h"

namespace tx3 {
namespace {

class ListAccessible : public QAccessibleWidget {
 public:
  explicit ListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return List()->currentText();
    return QAccessibleWidget::text(t);  // the name and description the widget was given
  }

  // The popup's rows, as Qt's own object exposes them.
  int childCount() const override { return List()->view() == nullptr ? 0 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index != 0 || List()->view() == nullptr) return nullptr;
    return QAccessible::queryAccessibleInterface(List()->view());
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child->object() == List()->view() ? 0 : -1;
  }

  QStringList actionNames() const override {
    return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
  }
  void doAction(const QString& name) override {
    if (name == showMenuAction() || name == pressAction()) {
      List()->showPopup();
    } else {
      QAccessibleWidget::doAction(name);
    }
  }

 private:
  QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
};

}  // namespace

void InstallListAccessibility() {
  InstallAccessibility<QComboBox, Always<QComboBox, ListAccessible>>();
}

}  // namespace tx3
