#include "app/qt/main_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>
#include <vector>

#include "app/accessible_names.h"
#include "app/qt/artwork.h"
#include "app/qt/keyboard_activation.h"
#include "app/qt/link_label.h"
#include "app/qt/qt_text.h"
#include "app/qt/twip_geometry.h"
#include "app/qt/window_font.h"

namespace tx3 {

namespace {

QColor FromRgb(unsigned rgb) {
  return QColor::fromRgb(rgb);
}

// Assigns a text field only when it differs, so that typing keeps the cursor where it is. A text
// the program assigns is shown from its start, as a text box shows it.
void ShowText(QLineEdit* field, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (field->text() == shown) return;
  field->setText(shown);
  field->setCursorPosition(0);
}

QStatusBar* MakeStatusBar(QWidget* parent, QLabel** firstPanel) {
  auto* bar = new QStatusBar(parent);
  bar->setSizeGripEnabled(false);  // the window has a fixed size
  *firstPanel = new QLabel(bar);
  (*firstPanel)->setObjectName(QStringLiteral("StatusBarMain.Panel1"));
  bar->addWidget(*firstPanel, 1);
  return bar;
}

}  // namespace

QString ControlObjectName(std::string_view name, int index) {
  QString objectName = QtText(name);
  if (index >= 0) objectName += QStringLiteral("(%1)").arg(index);
  return objectName;
}

QtMainWindow::QtMainWindow(FrmMain& model, QWidget* parent)
    : QWidget(parent), model_(model), keyboard_(new KeyboardActivation(this)) {
  setFont(WindowFont(font(), this));
  setWindowIcon(ProgramIcon());
  setFixedSize(ScaledPixels(kClientWidthTwips, logicalDpiX()),
               ScaledPixels(kClientHeightTwips, logicalDpiY()));
  BuildControls();
  FindTypedControls();
  ConnectTextFields();
  ConnectButtons();
  ConnectLists();
  SetTabOrderTopToBottom();
  subscription_ = model_.Subscribe([this](const Change& change) { Render(change); });
  RenderAll();
}

QtMainWindow::~QtMainWindow() {
  model_.Unsubscribe(subscription_);
}

QWidget* QtMainWindow::ControlWidget(std::string_view name, int index) const {
  const auto found = controls_.find({std::string(name), index});
  return found == controls_.end() ? nullptr : found->second;
}

void QtMainWindow::CentreOnScreen() {
  const QScreen* where = screen();
  if (where == nullptr) return;
  setGeometry(
      QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), where->availableGeometry()));
}

// ---- Building ----

void QtMainWindow::BuildControls() {
  for (const ControlLayout& control : WindowLayout()) {
    QWidget* widget = MakeControl(control);
    widget->setObjectName(ControlObjectName(control.name, control.index));
    widget->setGeometry(PixelRect(control, logicalDpiX(), logicalDpiY()));
    const std::string spoken = AccessibleName(control);
    if (!spoken.empty()) widget->setAccessibleName(QString::fromStdString(spoken));
    if (qobject_cast<QAbstractButton*>(widget) != nullptr) widget->installEventFilter(keyboard_);
    controls_[{std::string(control.name), control.index}] = widget;
  }
}

QWidget* QtMainWindow::MakeControl(const ControlLayout& control) {
  const QString caption = QtText(control.caption);
  switch (control.kind) {
    case ControlKind::Label:
      return new QLabel(caption, this);
    case ControlKind::LinkLabel:
      return new LinkLabel(caption, FromRgb(kLinkTextRgb), this);
    case ControlKind::TextField:
      return new QLineEdit(this);
    case ControlKind::Button:
      return new QPushButton(caption, this);
    case ControlKind::CheckBox:
      return new QCheckBox(caption, this);
    case ControlKind::ComboBox:
      return new QComboBox(this);
    case ControlKind::CheckList:
      return new QListWidget(this);
    case ControlKind::Image: {
      // The 90 × 90 pixel logo, drawn at the top left of its area as a picture control does.
      auto* image = new QLabel(this);
      image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      image->setPixmap(DrawLogo(ScaledPixels(90 * kTwipsPerPixel, logicalDpiX())));
      return image;
    }
    case ControlKind::StatusBar:
      return MakeStatusBar(this, &statusPanel_);
  }
  return new QWidget(this);
}

void QtMainWindow::FindTypedControls() {
  radio_ = qobject_cast<QLineEdit*>(ControlWidget("TexteNomRadio"));
  for (int i = 0; i < kStationCount; ++i) {
    stations_[i] = qobject_cast<QLineEdit*>(ControlWidget("TexteNomStation", i));
  }
  for (int i = 0; i < kFolderCount; ++i) {
    folders_[i] = qobject_cast<QLineEdit*>(ControlWidget("TexteDossier", i));
    browseButtons_[i] = qobject_cast<QPushButton*>(ControlWidget("CommandDossier", i));
    createButtons_[i] = qobject_cast<QPushButton*>(ControlWidget("CommandDossierCreer", i));
  }
  for (int s = 0; s < kStepCount; ++s) {
    checkActions_[s] = qobject_cast<QCheckBox*>(ControlWidget("CheckAction", s));
    stepButtons_[s] = qobject_cast<QPushButton*>(ControlWidget("CommandCreerSettings", s));
  }
  databaseButton_ = qobject_cast<QPushButton*>(ControlWidget("CommandPervasiveCreate"));
  quitButton_ = qobject_cast<QPushButton*>(ControlWidget("CommandQuitter"));
  pervasive_ = qobject_cast<QComboBox*>(ControlWidget("ComboPervasive"));
  converter_ = qobject_cast<QComboBox*>(ControlWidget("CombodBPowerAmp"));
  liste_ = qobject_cast<QListWidget*>(ControlWidget("ListeTX"));
  checkTX_ = qobject_cast<QCheckBox*>(ControlWidget("CheckTX"));
}

void QtMainWindow::ConnectTextFields() {
  // textEdited: the operator's keystrokes and pastes only, not the model's own assignments.
  connect(radio_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.SetTexteNomRadio(text.toStdString()); });
  for (int i = 0; i < kStationCount; ++i) {
    connect(stations_[i], &QLineEdit::textEdited, this,
            [this, i](const QString& text) { model_.SetTexteNomStation(i, text.toStdString()); });
  }
  for (int i = 0; i < kFolderCount; ++i) {
    connect(folders_[i], &QLineEdit::textEdited, this,
            [this, i](const QString& text) { model_.SetFolderText(i, text.toStdString()); });
  }
}

void QtMainWindow::ConnectButtons() {
  for (int i = 0; i < kFolderCount; ++i) {
    connect(browseButtons_[i], &QPushButton::clicked, this,
            [this, i] { model_.CommandDossier_Click(i); });
    connect(createButtons_[i], &QPushButton::clicked, this,
            [this, i] { model_.CommandDossierCreer_Click(i); });
  }
  for (int s = 0; s < kStepCount; ++s) {
    connect(stepButtons_[s], &QPushButton::clicked, this,
            [this, s] { model_.CommandCreerSettings_Click(static_cast<int16_t>(s)); });
  }
  connect(databaseButton_, &QPushButton::clicked, this,
          [this] { model_.CommandPervasiveCreate_Click(); });
  connect(quitButton_, &QPushButton::clicked, this, [this] {
    model_.CommandQuitter_Click();
    close();
  });
  for (int s = 0; s < kStepCount; ++s) {
    connect(checkActions_[s], &QCheckBox::clicked, this,
            [this, s](bool checked) { model_.SetCheckAction(s, checked); });
  }
  connect(checkTX_, &QCheckBox::clicked, this, [this](bool checked) {
    model_.SetCheckTXValue(checked ? 1 : 0);
    model_.CheckTX_Click();
  });
  if (auto* link = qobject_cast<LinkLabel*>(ControlWidget("LabelCODEC"))) {
    connect(link, &LinkLabel::clicked, this, [this] { model_.LabelCODEC_Click(); });
  }
}

void QtMainWindow::ConnectLists() {
  connect(pervasive_, &QComboBox::currentIndexChanged, this,
          [this](int row) { model_.SetComboPervasiveSelection(row); });
  connect(converter_, &QComboBox::currentIndexChanged, this,
          [this](int row) { model_.SetCombodBPowerAmpSelection(row); });
  connect(liste_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    model_.SetListeTXChecked(liste_->row(item), item->checkState() == Qt::Checked);
  });
}

void QtMainWindow::SetTabOrderTopToBottom() {
  struct Stop {
    int top, left;
    QWidget* widget;
  };
  std::vector<Stop> stops;
  for (const ControlLayout& control : WindowLayout()) {
    QWidget* widget = ControlWidget(control.name, control.index);
    if (widget->focusPolicy() & Qt::TabFocus) stops.push_back({control.top, control.left, widget});
  }
  std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
    return a.top != b.top ? a.top < b.top : a.left < b.left;
  });
  for (size_t i = 1; i < stops.size(); ++i) setTabOrder(stops[i - 1].widget, stops[i].widget);
}

// ---- Rendering ----

void QtMainWindow::RenderAll() {
  for (Control control : {Control::Caption, Control::TexteNomRadio, Control::ComboPervasive,
                          Control::CombodBPowerAmp, Control::CheckTX, Control::StatusBarMain}) {
    Render({control, -1});
  }
  for (int i = 0; i < kStationCount; ++i) Render({Control::TexteNomStation, i});
  for (int i = 0; i < kFolderCount; ++i) Render({Control::TexteDossier, i});
  for (int s = 0; s < kStepCount; ++s) Render({Control::CheckAction, s});
  Render({Control::ListeTX, -1});
}

void QtMainWindow::Render(const Change& change) {
  const int i = change.index;
  switch (change.control) {
    case Control::Caption:
      setWindowTitle(QString::fromStdString(model_.Caption()));
      break;
    case Control::TexteNomRadio:
      ShowText(radio_, model_.TexteNomRadio());
      break;
    case Control::TexteNomStation:
      if (i >= 0 && i < kStationCount) ShowText(stations_[i], model_.TexteNomStation(i));
      break;
    case Control::TexteDossier:
      if (i >= 0 && i < kFolderCount) RenderFolder(i);
      break;
    case Control::CheckAction:
      if (i >= 0 && i < kStepCount) checkActions_[i]->setChecked(model_.CheckAction(i));
      break;
    case Control::ComboPervasive:
      RenderCombo(pervasive_, model_.ComboPervasive());
      break;
    case Control::CombodBPowerAmp:
      RenderCombo(converter_, model_.CombodBPowerAmp());
      break;
    case Control::ListeTX:
      if (i < 0)
        RenderList();
      else
        RenderListRow(i);
      break;
    case Control::CheckTX:
      checkTX_->setChecked(model_.CheckTXValue() == 1);
      break;
    case Control::StatusBarMain:
      statusPanel_->setText(QString::fromStdString(model_.StatusText()));
      // Shown at once: the step commands write it many times before events run again.
      if (statusPanel_->isVisible()) statusPanel_->repaint();
      break;
    case Control::Unloaded:
      close();
      break;
  }
}

void QtMainWindow::RenderFolder(int index) {
  QLineEdit* field = folders_[index];
  const FolderRow& row = model_.TexteDossier(index);
  ShowText(field, row.text);
  // The normal background is the one the radio's name field shows.
  QPalette look = radio_->palette();
  if (row.color == FieldColor::Red) look.setColor(QPalette::Base, FromRgb(kRedBackRgb));
  field->setPalette(look);
  // In words too, for a screen reader and for a theme that overrides the colour.
  const QString missing = QtText(AccessibleDescription(model_, "TexteDossier", index));
  field->setAccessibleDescription(missing);
  field->setToolTip(missing);
}

void QtMainWindow::RenderCombo(QComboBox* combo, const ComboState& state) {
  const QSignalBlocker quiet(combo);
  QStringList items;
  for (const std::string& item : state.items) items << QString::fromStdString(item);
  QStringList shown;
  for (int row = 0; row < combo->count(); ++row) shown << combo->itemText(row);
  if (shown != items) {
    combo->clear();
    combo->addItems(items);
  }
  combo->setCurrentIndex(state.selected);
}

void QtMainWindow::RenderListRow(int row) {
  const std::vector<CheckedRow>& rows = model_.ListeTX();
  QListWidgetItem* item = liste_->item(row);
  if (item == nullptr || row >= static_cast<int>(rows.size())) {
    RenderList();  // the rows themselves changed
    return;
  }
  const QSignalBlocker quiet(liste_);
  item->setText(QString::fromStdString(rows[row].text));
  item->setCheckState(rows[row].checked ? Qt::Checked : Qt::Unchecked);
}

void QtMainWindow::RenderList() {
  const QSignalBlocker quiet(liste_);
  liste_->clear();
  for (const CheckedRow& row : model_.ListeTX()) {
    auto* item = new QListWidgetItem(QString::fromStdString(row.text), liste_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(row.checked ? Qt::Checked : Qt::Unchecked);
  }
}

}  // namespace tx3
