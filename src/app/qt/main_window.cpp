#include "app/qt/main_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "app/qt/accessible_factory.h"
#include "app/qt/artwork.h"
#include "app/qt/check_list_accessible.h"
#include "app/qt/focus_mark_style.h"
#include "app/qt/keyboard_activation.h"
#include "app/qt/link_label.h"
#include "app/qt/list_accessible.h"
#include "app/qt/qt_text.h"
#include "app/qt/status_announcer.h"
#include "app/qt/window_font.h"
#include "app/window_colours.h"
#include "app/window_fit.h"
#include "platform/platform.h"

namespace tx3 {

namespace {

// The design's link colour, or the theme's where the theme is dark or not the style's own.
QColor LinkColourIn(const QWidget& window) {
  const QPalette& look = window.palette();
  const QColor background = look.color(QPalette::Window);
  const bool themed = IsDark(Rgb(background)) || look != window.style()->standardPalette();
  return QColor::fromRgb(LinkColour({.design = kLinkTextRgb,
                                     .system = Rgb(look.color(QPalette::Link)),
                                     .text = Rgb(look.color(QPalette::WindowText)),
                                     .background = Rgb(background),
                                     .systemTheme = themed}));
}

// The window as a screen reader meets it: a frame (a plain widget would be a "filler"), so that
// its title is read and the screen reader's "read the status bar" finds the bar inside it.
QAccessibleInterface* WindowAccessibility(QWidget* widget) {
  auto* window = dynamic_cast<QtMainWindow*>(widget);
  return window == nullptr ? nullptr : new QAccessibleWidget(window, QAccessible::Window);
}

}  // namespace

// What the binding asks of the widgets: it decides, they show.

class QtMainWindow::Widgets final : public ViewToolkit {
 public:
  explicit Widgets(QtMainWindow& window) : w_(window) {}

  void SetTitle(std::string_view text) override { w_.setWindowTitle(QtText(text)); }

  void SetAccessibleName(int slot, std::string_view name) override {
    w_.widgets_[static_cast<size_t>(slot)]->setAccessibleName(QtText(name));
  }

  std::string Text(int slot) const override {
    const auto* field = At<QLineEdit>(slot);
    return field == nullptr ? std::string() : field->text().toStdString();
  }

  void SetText(int slot, std::string_view text) override {
    auto* field = At<QLineEdit>(slot);
    if (field == nullptr) return;
    field->setText(QtText(text));
    field->setCursorPosition(0);  // shown from its start, as a text box shows a text it is given
  }

  void SetFolderMissing(int slot, std::string_view description) override {
    QWidget* field = w_.widgets_[static_cast<size_t>(slot)];
    const bool missing = !description.empty();
    // The normal background is the one the radio's name field shows.
    QPalette look = w_.ControlWidget("TexteNomRadio")->palette();
    if (missing) {
      look.setColor(QPalette::Base, QColor::fromRgb(kRedBackRgb));
      // Black on red whatever the theme: white text on it would be 4:1 only.
      look.setColor(QPalette::Text, Qt::black);
    }
    field->setPalette(look);
    // In words too, for a screen reader and for a theme that overrides the colour.
    const QString words = QtText(description);
    // Told at once while the operator types: Qt 6.4 sends the description change in a form
    // Orca 43 cannot read, so the words go out as a notification as well.
    if (field->hasFocus() && !words.isEmpty() && field->accessibleDescription() != words) {
      w_.announcer_->Announce(words);
    }
    field->setAccessibleDescription(words);
    field->setToolTip(words);
    ShowMissingMark(qobject_cast<QLineEdit*>(field), missing, description);
  }

  // A warning mark inside the end of a missing folder's field, saying the same words.
  static void ShowMissingMark(QLineEdit* field, bool missing, std::string_view description) {
    if (field == nullptr) return;
    auto* mark =
        field->findChild<QAction*>(QStringLiteral("FolderMissing"), Qt::FindDirectChildrenOnly);
    if (mark == nullptr && !missing) return;
    if (mark == nullptr) {
      mark = field->addAction(field->style()->standardIcon(QStyle::SP_MessageBoxWarning),
                              QLineEdit::TrailingPosition);
      mark->setObjectName(QStringLiteral("FolderMissing"));
    }
    mark->setText(QtText(description));
    mark->setToolTip(QtText(description));
    mark->setVisible(missing);
  }

  void SetChecked(int slot, bool checked) override {
    if (auto* box = At<QCheckBox>(slot)) box->setChecked(checked);
  }

  void SetItems(int slot, const std::vector<std::string>& items) override {
    auto* combo = At<QComboBox>(slot);
    if (combo == nullptr) return;
    combo->clear();
    for (const std::string& item : items) combo->addItem(QString::fromStdString(item));
  }

  void SetSelection(int slot, int row) override {
    if (auto* combo = At<QComboBox>(slot)) combo->setCurrentIndex(row);
  }

  void SetRows(int slot, const std::vector<CheckedRow>& rows) override {
    auto* list = At<QListWidget>(slot);
    if (list == nullptr) return;
    list->clear();
    for (const CheckedRow& row : rows) {
      auto* item = new QListWidgetItem(QString::fromStdString(row.text), list);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(row.checked ? Qt::Checked : Qt::Unchecked);
    }
  }

  void SetRow(int slot, int row, const CheckedRow& state) override {
    auto* list = At<QListWidget>(slot);
    QListWidgetItem* item = list == nullptr ? nullptr : list->item(row);
    if (item == nullptr) return;
    item->setText(QString::fromStdString(state.text));
    item->setCheckState(state.checked ? Qt::Checked : Qt::Unchecked);
  }

  void SetStatus(int /*slot*/, std::string_view text) override {
    w_.statusPanel_->setText(QtText(text));
    w_.announcer_->Announce(QtText(text));
    // Shown at once: the step commands write it many times before events run again.
    if (w_.statusPanel_->isVisible()) w_.statusPanel_->repaint();
  }

  void Close() override { w_.close(); }

 private:
  template <typename W>
  W* At(int slot) const {
    return qobject_cast<W*>(w_.widgets_[static_cast<size_t>(slot)]);
  }

  QtMainWindow& w_;
};

QString ControlObjectName(std::string_view name, int index) {
  QString objectName = QtText(name);
  if (index >= 0) objectName += QStringLiteral("(%1)").arg(index);
  return objectName;
}

QtMainWindow::QtMainWindow(FrmMain& model, QWidget* parent)
    : QWidget(parent),
      toolkit_(std::make_unique<Widgets>(*this)),
      binding_(model, *toolkit_),
      keyboard_(new KeyboardActivation(this)),
      scroll_(new QScrollArea(this)),
      form_(new QWidget),
      focusStyle_(new FocusMarkStyle) {
  InstallAccessibility<QWidget, WindowAccessibility>();
  focusStyle_->setParent(this);
  // The design grows with the desktop's text size as it does with the screen's density.
  const double scale = DesktopTextScale(QGuiApplication::font(),
                                        platform::Os().GetEnv("XDG_CURRENT_DESKTOP").value_or(""));
  dpiX_ = ScaledDpi(logicalDpiX(), scale);
  dpiY_ = ScaledDpi(logicalDpiY(), scale);
  setFont(WindowFont(font(), this, scale));
  setWindowIcon(ProgramIcon());
  // The form in a frameless scroll area that fills the window: without scroll bars while the
  // window has the design's size. In place before the controls, which take the window's font.
  form_->setObjectName(QStringLiteral("Form"));
  form_->setFixedSize(ScaledPixels(kClientWidthTwips, dpiX_),
                      ScaledPixels(kClientHeightTwips, dpiY_));
  scroll_->setObjectName(QStringLiteral("FormScroll"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);  // Tab goes from control to control, as before
  scroll_->setWidget(form_);
  auto* fill = new QVBoxLayout(this);
  fill->setContentsMargins(0, 0, 0, 0);
  fill->addWidget(scroll_);
  const auto layout = WindowLayout();
  for (size_t slot = 0; slot < layout.size(); ++slot) {
    const ControlLayout& control = layout[slot];
    QWidget* widget = MakeControl(control, static_cast<int>(slot));
    widget->setObjectName(ControlObjectName(control.name, control.index));
    const PixelEdges e = ScaledEdges(control, dpiX_, dpiY_);
    widget->setGeometry(e.left, e.top, e.right - e.left, e.bottom - e.top);
    widget->setStyle(focusStyle_);
    if (qobject_cast<QAbstractButton*>(widget) != nullptr) widget->installEventFilter(keyboard_);
    widgets_.push_back(widget);
  }
  setFixedSize(form_->size());
  focusFollower_ = connect(qApp, &QApplication::focusChanged, this,
                           [this](QWidget*, QWidget* now) { ShowFocused(now); });
  SetTabOrderTopToBottom();
  binding_.Start();
}

QtMainWindow::~QtMainWindow() {
  // The focus leaves the controls as they go: nothing to scroll to any more.
  disconnect(focusFollower_);
  binding_.Stop();
}

QWidget* QtMainWindow::ControlWidget(std::string_view name, int index) const {
  const int slot = LayoutSlot(name, index);
  return slot < 0 ? nullptr : widgets_[static_cast<size_t>(slot)];
}

QWidget* QtMainWindow::Viewport() const {
  return scroll_->viewport();
}

void QtMainWindow::CentreOnScreen() {
  if (const QScreen* where = screen()) FitInto(where->availableGeometry());
}

void QtMainWindow::FitInto(const QRect& available) {
  // The frame around the window: the platform's once its window exists, or the style's title
  // bar where the window manager tells it only when the window is shown.
  winId();
  QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
  if (frame.isNull()) frame.setTop(style()->pixelMetric(QStyle::PM_TitleBarHeight));
  const QRect room = available.marginsRemoved(frame);
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const WindowFit fit =
      FitInside({form_->width(), form_->height()}, {room.width(), room.height()}, bar);
  const ClientSize client = fit.Client(bar);
  setFixedSize(client.width, client.height);
  scroll_->setVerticalScrollBarPolicy(fit.vertical ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
  scroll_->setHorizontalScrollBarPolicy(fit.horizontal ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
  QRect placed = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), room);
  placed.moveTop(std::max(placed.top(), room.top()));
  placed.moveLeft(std::max(placed.left(), room.left()));
  setGeometry(placed);
  // The scroll area takes its new size now, and the control with the focus stays in view.
  layout()->activate();
  ShowFocused(focusWidget());
}

// A window manager tells its frame only once the window is shown: if the frame then takes the
// window past the available area, the window is fitted again, once.
void QtMainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (frameSeen_ || !isVisible() || windowHandle() == nullptr) return;
  if (windowHandle()->frameMargins().isNull()) return;
  frameSeen_ = true;
  const QScreen* where = screen();
  if (where != nullptr && !where->availableGeometry().contains(frameGeometry())) CentreOnScreen();
}

// The control that takes the focus is scrolled into view, the keyboard's and the mouse's alike.
void QtMainWindow::ShowFocused(QWidget* focused) {
  if (focused == nullptr || !form_->isAncestorOf(focused)) return;
  // Its top left corner first when it is larger than the view, where ensureWidgetVisible would
  // centre it.
  const QRect r(focused->mapTo(form_, QPoint(0, 0)), focused->size());
  QScrollBar* across = scroll_->horizontalScrollBar();
  QScrollBar* down = scroll_->verticalScrollBar();
  const QWidget* view = scroll_->viewport();
  across->setValue(ScrollToShow(across->value(), view->width(), r.left(), r.left() + r.width()));
  down->setValue(ScrollToShow(down->value(), view->height(), r.top(), r.top() + r.height()));
}

// ---- Building ----

// The widget of one control, its clicks and edits reported to the binding. textEdited and
// clicked are the operator's doing only, never the widget's own assignments.
QWidget* QtMainWindow::MakeControl(const ControlLayout& control, int slot) {
  const QString caption = QtText(control.caption);
  switch (control.kind) {
    case ControlKind::Label:
      return new QLabel(caption, form_);
    case ControlKind::LinkLabel: {
      auto* link = new LinkLabel(caption, LinkColourIn(*this), form_);
      connect(link, &LinkLabel::clicked, this, [this, slot] { binding_.Operated(slot); });
      return link;
    }
    case ControlKind::TextField: {
      auto* field = new QLineEdit(form_);
      connect(field, &QLineEdit::textEdited, this, [this, slot](const QString& text) {
        binding_.Operated(slot, {.text = text.toStdString()});
      });
      return field;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(caption, form_);
      connect(button, &QPushButton::clicked, this, [this, slot] { binding_.Operated(slot); });
      return button;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(caption, form_);
      connect(box, &QCheckBox::clicked, this,
              [this, slot](bool checked) { binding_.Operated(slot, {.checked = checked}); });
      return box;
    }
    case ControlKind::ComboBox: {
      InstallListAccessibility();
      auto* combo = new QComboBox(form_);
      connect(combo, &QComboBox::currentIndexChanged, this,
              [this, slot](int row) { binding_.Operated(slot, {.row = row}); });
      return combo;
    }
    case ControlKind::CheckList: {
      auto* list = new QListWidget(form_);
      MakeRowsCheckBoxes(list);
      connect(list, &QListWidget::itemChanged, this, [this, slot, list](QListWidgetItem* item) {
        binding_.Operated(slot,
                          {.checked = item->checkState() == Qt::Checked, .row = list->row(item)});
      });
      return list;
    }
    case ControlKind::Image: {
      // The logo, drawn at the top left of its area as a picture control does.
      auto* image = new QLabel(form_);
      image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      image->setPixmap(DrawLogo(ScaledPixels(kLogoTwips, dpiX_)));
      return image;
    }
    case ControlKind::StatusBar: {
      auto* bar = new QStatusBar(form_);
      bar->setSizeGripEnabled(false);  // the window has a fixed size
      statusPanel_ = new QLabel(bar);
      statusPanel_->setObjectName(QStringLiteral("StatusBarMain.Panel1"));
      bar->addWidget(statusPanel_, 1);
      announcer_ = std::make_unique<StatusAnnouncer>(bar);
      return bar;
    }
  }
  return new QWidget(form_);
}

void QtMainWindow::SetTabOrderTopToBottom() {
  QWidget* previous = nullptr;
  for (int slot : SlotsInTabOrder()) {
    QWidget* widget = widgets_[static_cast<size_t>(slot)];
    if ((widget->focusPolicy() & Qt::TabFocus) == 0) continue;
    if (previous != nullptr) setTabOrder(previous, widget);
    previous = widget;
  }
}

}  // namespace tx3
