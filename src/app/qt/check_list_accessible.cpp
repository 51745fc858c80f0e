#include "app/qt/check_list_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QListWidget>
#include <QPointer>
#include <QTimer>
#include <map>

#include "app/qt/accessible_factory.h"

namespace tx3 {
namespace {

const char kCheckList[] = "tx3CheckList";

class RowAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  RowAccessible(QListWidget* list, int row) : list_(list), row_(row) {}

  bool isValid() const override { return !list_.isNull() && Item() != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return Parent()->window(); }
  QAccessibleInterface* parent() const override { return Parent(); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::CheckBox; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && Item() != nullptr ? Item()->text() : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect area = list_->visualItemRect(Item());
    return QRect(list_->viewport()->mapToGlobal(area.topLeft()), area.size());
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) return s;
    s.checkable = true;
    s.checked = Item()->checkState() == Qt::Checked;
    s.focusable = true;
    s.selectable = true;
    s.selected = Item()->isSelected();
    s.focused = list_->hasFocus() && list_->currentItem() == Item();
    s.invisible = !list_->isVisible();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }
  QStringList actionNames() const override { return {toggleAction()}; }
  void doAction(const QString& name) override {
    if (name != toggleAction() || !isValid()) return;
    Item()->setCheckState(Item()->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QListWidgetItem* Item() const { return list_.isNull() ? nullptr : list_->item(row_); }
  QAccessibleInterface* Parent() const { return QAccessible::queryAccessibleInterface(list_); }

  QPointer<QListWidget> list_;
  int row_;
};

class CheckListAccessible : public QAccessibleWidget {
 public:
  explicit CheckListAccessible(QListWidget* list) : QAccessibleWidget(list, QAccessible::List) {}
  ~CheckListAccessible() override {
    for (const auto& [row, id] : rows_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return List()->count(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= List()->count()) return nullptr;
    auto found = rows_.find(index);
    if (found == rows_.end()) {
      auto* row = new RowAccessible(List(), index);
      found = rows_.emplace(index, QAccessible::registerAccessibleInterface(row)).first;
    }
    return QAccessible::accessibleInterface(found->second);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (const auto& [row, id] : rows_) {
      if (QAccessible::accessibleInterface(id) == child) return row;
    }
    return -1;
  }
  QAccessibleInterface* focusChild() const override {
    const int row = List()->currentRow();
    return List()->hasFocus() && row >= 0 ? child(row) : nullptr;
  }

 private:
  QListWidget* List() const { return static_cast<QListWidget*>(widget()); }

  mutable std::map<int, QAccessible::Id> rows_;
};

QAccessibleInterface* CheckListAccessibility(QListWidget* list) {
  return list->property(kCheckList).toBool() ? new CheckListAccessible(list) : nullptr;
}

// Qt tells the list's own focus after its focus-in event, which would hide the row's: the row
// follows on the next turn of the event loop, so that Orca reads the row and its tick on Tab.
class RowFocusTeller : public QObject {
 public:
  explicit RowFocusTeller(QListWidget* list) : QObject(list), list_(list) {
    list->installEventFilter(this);
  }

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      QTimer::singleShot(0, this, [this] {
        if (!QAccessible::isActive() || !list_->hasFocus() || list_->currentRow() < 0) return;
        QAccessibleEvent focus(list_, QAccessible::Focus);  // the row that has the focus
        focus.setChild(list_->currentRow());
        QAccessible::updateAccessibility(&focus);
      });
    }
    return false;
  }

 private:
  QListWidget* list_;
};

}  // namespace

void MakeRowsCheckBoxes(QListWidget* list) {
  InstallAccessibility<QListWidget, CheckListAccessibility>();
  list->setProperty(kCheckList, true);
  new RowFocusTeller(list);
  QObject::connect(list, &QListWidget::itemChanged, list, [list](QListWidgetItem* item) {
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(list);
    QAccessibleInterface* row = rows == nullptr ? nullptr : rows->child(list->row(item));
    if (row == nullptr) return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(row, changed);
    QAccessible::updateAccessibility(&event);
  });
}

}  // namespace tx3
