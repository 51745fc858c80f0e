// The view contract (app/view_contract.h) run against the Qt window, driven with QTest.
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "app/qt/main_window.h"
#include "app/qt/qt_test_application.h"
#include "app/qt/qt_ui_port.h"
#include "app/view_contract.h"

namespace tx3::testing {
namespace {

std::string Utf8(const QString& text) {
  return text.toStdString();
}

ViewDriver::Icon IconOf(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Information:
      return ViewDriver::Icon::Information;
    case QMessageBox::Warning:
      return ViewDriver::Icon::Warning;
    case QMessageBox::Critical:
      return ViewDriver::Icon::Critical;
    default:
      return ViewDriver::Icon::None;
  }
}

QString Spoken(QWidget* widget, QAccessible::Text what) {
  QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(widget);
  return seen == nullptr ? QString() : seen->text(what);
}

class QtDriver final : public ViewDriver {
 public:
  void Open(FrmMain& model) override {
    EnsureQtApplication();
    window_ = std::make_unique<QtMainWindow>(model);
    QtDialogs recording{
        [this](QWidget*, const QString& title, const QString& text, QMessageBox::Icon icon) {
          boxes_.push_back({Utf8(title), Utf8(text), IconOf(icon)});
        },
        [](QWidget*, const QString&, const QString&) { return QString(); }};
    port_ = std::make_unique<QtUiPort>(model, window_.get(), recording);
    model.SetUiPort(port_.get());
    model.Create();
    window_->CentreOnScreen();
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  bool IsOpen() override { return window_->isVisible(); }
  std::string Title() override { return Utf8(window_->windowTitle()); }
  std::pair<int, int> ClientSize() override {
    return {window_->size().width(), window_->size().height()};
  }
  Edges Place(std::string_view name, int index) override {
    const QRect r = Widget(name, index)->geometry();
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
  }
  std::string Text(std::string_view name, int index) override {
    QWidget* widget = Widget(name, index);
    if (name == "StatusBarMain") widget = window_->findChild<QLabel*>("StatusBarMain.Panel1");
    if (auto* field = qobject_cast<QLineEdit*>(widget)) return Utf8(field->text());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return Utf8(button->text());
    if (auto* label = qobject_cast<QLabel*>(widget)) return Utf8(label->text());
    ADD_FAILURE() << name << " shows no text";
    return {};
  }
  int Caret(std::string_view name, int index) override {
    return Field(name, index)->cursorPosition();
  }
  unsigned Background(std::string_view name, int index) override {
    return Field(name, index)->palette().color(QPalette::Base).rgb() & 0xFFFFFFu;
  }
  unsigned Foreground(std::string_view name, int index) override {
    return Field(name, index)->palette().color(QPalette::Text).rgb() & 0xFFFFFFu;
  }
  bool Checked(std::string_view name, int index) override {
    return qobject_cast<QCheckBox*>(Widget(name, index))->isChecked();
  }
  std::vector<std::string> Items(std::string_view name) override {
    std::vector<std::string> items;
    QComboBox* combo = Combo(name);
    for (int row = 0; row < combo->count(); ++row) items.push_back(Utf8(combo->itemText(row)));
    return items;
  }
  std::string Selected(std::string_view name) override { return Utf8(Combo(name)->currentText()); }
  std::vector<CheckedRow> Rows() override {
    std::vector<CheckedRow> rows;
    QListWidget* list = List();
    for (int row = 0; row < list->count(); ++row) {
      QListWidgetItem* item = list->item(row);
      EXPECT_TRUE(item->flags() & Qt::ItemIsUserCheckable) << row;
      rows.push_back({Utf8(item->text()), item->checkState() == Qt::Checked});
    }
    return rows;
  }
  std::string SpokenName(std::string_view name, int index) override {
    return Utf8(Spoken(Widget(name, index), QAccessible::Name));
  }
  std::string SpokenDescription(std::string_view name, int index) override {
    return Utf8(Spoken(Widget(name, index), QAccessible::Description));
  }
  std::string Tooltip(std::string_view name, int index) override {
    return Utf8(Widget(name, index)->toolTip());
  }
  std::vector<const ControlLayout*> TabStops() override {
    std::vector<const ControlLayout*> stops;
    QWidget* first = Widget("TexteNomRadio", -1);
    QWidget* w = first;
    do {
      if ((w->focusPolicy() & Qt::TabFocus) && w->parentWidget() == window_->Form()) {
        stops.push_back(LayoutOf(w));
      }
      w = w->nextInFocusChain();
    } while (w != first && stops.size() < 200);
    return stops;
  }

  void FitInto(Edges area) override {
    window_->FitInto(QRect(QPoint(area.left, area.top), QPoint(area.right - 1, area.bottom - 1)));
    QApplication::processEvents();
  }
  Edges Frame() override {
    const QRect r = window_->frameGeometry();
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
  }
  std::pair<int, int> ViewSize() override {
    return {window_->Viewport()->width(), window_->Viewport()->height()};
  }
  Edges Shown(std::string_view name, int index) override {
    QWidget* widget = Widget(name, index);
    const QPoint at = widget->mapTo(window_->Viewport(), QPoint(0, 0));
    return {at.x(), at.y(), at.x() + widget->width(), at.y() + widget->height()};
  }

  // The warning mark inside the end of the field says it, focused or not.
  std::string FocusTip(std::string_view name, int index) override {
    const auto* mark =
        Field(name, index)
            ->findChild<QAction*>(QStringLiteral("FolderMissing"), Qt::FindDirectChildrenOnly);
    return mark != nullptr && mark->isVisible() ? Utf8(mark->text()) : std::string();
  }

  // What the operator does to change a field: select everything, then type.
  void Retype(std::string_view name, int index, std::string_view text) override {
    QLineEdit* field = Field(name, index);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QString::fromStdString(std::string(text)));
  }
  void TypeMore(std::string_view name, int index, std::string_view text) override {
    QTest::keyClicks(Field(name, index), QString::fromStdString(std::string(text)));
  }
  void Click(std::string_view name, int index) override {
    QWidget* widget = Widget(name, index);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  }
  void Choose(std::string_view name, int row) override { Combo(name)->setCurrentIndex(row); }
  void TickRow(int row, bool checked) override {
    List()->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);  // as its box does
  }
  void Press(std::string_view name, int index, Key key) override {
    QWidget* widget = Widget(name, index);
    widget->setFocus();
    QTest::keyClick(widget, key == Key::Enter ? Qt::Key_Return : Qt::Key_Space);
  }
  void Focus(std::string_view name, int index) override {
    if (!window_->isActiveWindow()) {
      window_->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    Widget(name, index)->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }
  const std::vector<Box>& Boxes() override { return boxes_; }
  std::string LineBreak() override { return "\n"; }

 private:
  QWidget* Widget(std::string_view name, int index) {
    QWidget* widget = window_->ControlWidget(name, index);
    EXPECT_NE(widget, nullptr) << name << "(" << index << ")";
    return widget;
  }
  QLineEdit* Field(std::string_view name, int index) {
    return qobject_cast<QLineEdit*>(Widget(name, index));
  }
  QComboBox* Combo(std::string_view name) { return qobject_cast<QComboBox*>(Widget(name, -1)); }
  QListWidget* List() { return qobject_cast<QListWidget*>(Widget("ListeTX", -1)); }
  const ControlLayout* LayoutOf(QWidget* widget) {
    for (const ControlLayout& c : WindowLayout()) {
      if (window_->ControlWidget(c.name, c.index) == widget) return &c;
    }
    ADD_FAILURE() << widget->objectName().toStdString() << " is in no layout";
    return &WindowLayout()[0];
  }

  std::unique_ptr<QtMainWindow> window_;
  std::unique_ptr<QtUiPort> port_;
  std::vector<Box> boxes_;
};

std::unique_ptr<ViewDriver> MakeQtDriver() {
  return std::make_unique<QtDriver>();
}

INSTANTIATE_TEST_SUITE_P(Qt, ViewContract, ::testing::Values(&MakeQtDriver));

}  // namespace
}  // namespace tx3::testing
