#include "app/qt/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <deque>
#include <memory>
#include <set>

#include "app/qt/qt_test_application.h"
#include "app/qt/qt_ui_port.h"
#include "support/fake_platform.h"
#include "support/test_files.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

const QColor kRed(255, 0, 0);

struct Shown {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// The window as the program opens it, on a machine where only the application folder exists.
class QtMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureQtApplication();
    os.AddFolder("C:\\Brennic\\Tarvox");
    window = std::make_unique<QtMainWindow>(model);
    port = std::make_unique<QtUiPort>(model, window.get(), Recording());
    model.SetUiPort(port.get());
    model.Create();
    window->CentreOnScreen();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  QtDialogs Recording() {
    return QtDialogs{
        [this](QWidget*, const QString& title, const QString& text, QMessageBox::Icon icon) {
          shown.push_back({title, text, icon});
          if (boxFocus != nullptr) boxFocus->setFocus();  // as a box takes the focus
        },
        [this](QWidget*, const QString&, const QString& start) {
          folderStarts.push_back(start);
          const QString answer = folderAnswers.empty() ? QString() : folderAnswers.front();
          if (!folderAnswers.empty()) folderAnswers.pop_front();
          return answer;
        }};
  }

  template <typename W>
  W* Control(const char* name, int index = -1) {
    auto* widget = qobject_cast<W*>(window->ControlWidget(name, index));
    EXPECT_NE(widget, nullptr) << name << "(" << index << ")";
    return widget;
  }

  // What the operator does to change a field: select everything, then type.
  void Retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
  }

  QColor Background(const char* name, int index) {
    return Control<QLineEdit>(name, index)->palette().color(QPalette::Base);
  }
  QColor NormalBackground() { return Background("TexteNomRadio", -1); }

  tx3::testing::FakePlatform os;
  tx3::testing::UsePlatform guard{os};
  FrmMain model;
  std::unique_ptr<QtMainWindow> window;
  std::unique_ptr<QtUiPort> port;
  std::vector<Shown> shown;
  std::vector<QString> folderStarts;
  std::deque<QString> folderAnswers;
  QWidget* boxFocus = nullptr;
};

// What every view shows and does is in the view contract (app/view_contract.h); here is what is
// Qt's own.

TEST_F(QtMainWindowTest, IsAFixedSizeWindowWithAnIconAndEveryControlOnItsForm) {
  EXPECT_EQ(window->size(), QSize(762, 581));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowIcon().isNull());
  for (const ControlLayout& c : WindowLayout()) {
    QWidget* widget = window->ControlWidget(c.name, c.index);
    ASSERT_NE(widget, nullptr) << c.name << "(" << c.index << ")";
    EXPECT_EQ(widget->parentWidget(), window->Form()) << c.name;
    EXPECT_EQ(widget->objectName(), ControlObjectName(c.name, c.index));
  }
}

// Where the design does not fit (a large scale or text size, a small screen), the window stays
// inside the area, its client area scrolls and the focused control is brought into view.
TEST_F(QtMainWindowTest, DropDownListsTakeNoTyping) {
  EXPECT_FALSE(Control<QComboBox>("ComboPervasive")->isEditable());
  EXPECT_FALSE(Control<QComboBox>("CombodBPowerAmp")->isEditable());
}

// A screen reader hears the list's own name, then its current item, which follows the choice.
TEST_F(QtMainWindowTest, DropDownListsAreNamedAndValuedByTheirCurrentItem) {
  auto* list = Control<QComboBox>("ComboPervasive");
  QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(list);
  ASSERT_NE(spoken, nullptr);
  EXPECT_EQ(spoken->role(), QAccessible::ComboBox);
  EXPECT_EQ(spoken->text(QAccessible::Name), QStringLiteral("Moteur de base de données"));
  EXPECT_EQ(spoken->text(QAccessible::Value), QStringLiteral("Workgroup V12"));
  model.SetComboPervasiveSelection(2);
  EXPECT_EQ(spoken->text(QAccessible::Value), QStringLiteral("Workgroup V10"));
  EXPECT_EQ(spoken->text(QAccessible::Name), QStringLiteral("Moteur de base de données"));
  ASSERT_EQ(spoken->childCount(), 1);
  EXPECT_EQ(spoken->child(0)->object(), list->view());
}

TEST_F(QtMainWindowTest, AScreenReaderMeetsAFrameTitledAsTheWindow) {
  QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(window.get());
  ASSERT_NE(spoken, nullptr);
  EXPECT_EQ(spoken->role(), QAccessible::Window);
  EXPECT_EQ(spoken->text(QAccessible::Name), window->windowTitle());
}

// A missing folder is said inside its field too, not only by its colour.
TEST_F(QtMainWindowTest, AMissingFolderShowsAWarningMarkWithItsWords) {
  const auto mark = [this](int row) -> QAction* {
    auto* found =
        Control<QLineEdit>("TexteDossier", row)
            ->findChild<QAction*>(QStringLiteral("FolderMissing"), Qt::FindDirectChildrenOnly);
    return found != nullptr && found->isVisible() ? found : nullptr;
  };
  EXPECT_EQ(mark(0), nullptr);
  ASSERT_NE(mark(3), nullptr);
  EXPECT_EQ(mark(3)->text(), QStringLiteral("Dossier introuvable"));
  EXPECT_FALSE(mark(3)->icon().isNull());
  os.AddFolder("C:\\Kalvet");
  os.AddFolder("C:\\Kalvet\\Pub");
  model.SetTexteDossier(3, model.DossierRow(3).text);
  EXPECT_EQ(mark(3), nullptr);
  model.SetTexteDossier(0, "C:\\Nulle\\Part");
  ASSERT_NE(mark(0), nullptr);
  EXPECT_EQ(mark(0)->text(), QStringLiteral("Dossier introuvable"));
}

// Each component row is a check box to a screen reader, with its state, and can be ticked.
TEST_F(QtMainWindowTest, ComponentRowsAreCheckBoxesWithTheirState) {
  auto* list = Control<QListWidget>("ListeTX");
  QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(list);
  ASSERT_NE(rows, nullptr);
  ASSERT_EQ(rows->childCount(), list->count());
  ASSERT_GT(list->count(), 3);
  QAccessibleInterface* row = rows->child(3);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->role(), QAccessible::CheckBox);
  EXPECT_EQ(row->text(QAccessible::Name), list->item(3)->text());
  EXPECT_TRUE(row->state().checkable);
  EXPECT_TRUE(row->state().checked);
  EXPECT_EQ(rows->indexOfChild(row), 3);
  EXPECT_EQ(row->parent(), rows);

  model.SetListeTXChecked(3, false);
  EXPECT_FALSE(row->state().checked);
  ASSERT_NE(row->actionInterface(), nullptr);
  row->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(model.ListeTX()[3].checked) << "a screen reader's toggle reaches the model";
}

// The status line is told to screen readers as a notification inside the status bar, shown anew
// with each text; an empty status tells nothing.
TEST_F(QtMainWindowTest, EachStatusTextIsANotificationShownAnew) {
  auto* notice = window->findChild<QLabel*>(QStringLiteral("StatusBarMain.Notice"));
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(notice->size(), QSize(0, 0)) << "it draws nothing";
  model.SetStatusText("Dossier créé : C:\\Kalvet\\Pub\\");
  QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(notice);
  ASSERT_NE(spoken, nullptr);
  EXPECT_EQ(spoken->role(), QAccessible::Notification);
  EXPECT_EQ(spoken->text(QAccessible::Name), QStringLiteral("Dossier créé : C:\\Kalvet\\Pub\\"));
  EXPECT_TRUE(notice->isVisible());
  EXPECT_EQ(spoken->parent()->role(), QAccessible::StatusBar);
  // The next text does not change what a screen reader still reading the first one hears.
  model.SetStatusText("Dossiers créés");
  EXPECT_EQ(spoken->text(QAccessible::Name), QStringLiteral("Dossier créé : C:\\Kalvet\\Pub\\"));
  auto* next = window->findChild<QLabel*>(QStringLiteral("StatusBarMain.Notice"));
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(next)->text(QAccessible::Name),
            QStringLiteral("Dossiers créés"));
  EXPECT_TRUE(next->isVisible());
  model.SetStatusText("");
  EXPECT_FALSE(next->isVisible());
}

// Typing a path that names no folder tells the screen reader at once, as a notification.
TEST_F(QtMainWindowTest, TypingAMissingFolderIsToldAtOnce) {
  auto* notice = window->findChild<QLabel*>(QStringLiteral("StatusBarMain.Notice"));
  ASSERT_NE(notice, nullptr);
  auto* field = Control<QLineEdit>("TexteDossier", 0);
  field->setFocus();
  ASSERT_TRUE(field->hasFocus());
  field->end(false);
  QTest::keyClicks(field, "x");  // C:\\Brennic\\Tarvox\\x: no such folder
  EXPECT_EQ(notice->text(), QStringLiteral("Dossier introuvable"));
  EXPECT_TRUE(notice->isVisible());
}

TEST_F(QtMainWindowTest, OpensCentredOnTheScreen) {
  const QRect available = window->screen()->availableGeometry();
  const QPoint offset = window->geometry().center() - available.center();
  EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

TEST_F(QtMainWindowTest, EveryCaptionFitsItsControl) {
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
        << label->objectName().toStdString();
  }
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), button->width())
        << button->objectName().toStdString();
  }
}

TEST_F(QtMainWindowTest, BrowseTakesTheChosenFolder) {
  os.AddFolder("C:\\TX_Data\\Sons");
  os.AddFolder("D:\\Jingles");
  os.hostPathForDialog = [](std::string_view windowsPath) {
    return "/drives/" + std::string(windowsPath);
  };
  os.windowsPathFromHost = [](std::string_view hostPath) {
    return hostPath == "/drives/d/Jingles" ? std::string("D:\\Jingles") : std::string("?");
  };
  folderAnswers.push_back(QStringLiteral("/drives/d/Jingles"));

  QTest::mouseClick(Control<QPushButton>("CommandDossier", 5), Qt::LeftButton);

  // "C:\TX_Data\Sons\Autre\" opens on its folder, without the final backslash.
  ASSERT_EQ(folderStarts.size(), 1u);
  EXPECT_EQ(folderStarts[0], QStringLiteral("/drives/C:\\TX_Data\\Sons\\Autre"));
  EXPECT_EQ(Control<QLineEdit>("TexteDossier", 5)->text(), QStringLiteral("D:\\Jingles\\"));
  EXPECT_EQ(Background("TexteDossier", 5), NormalBackground());
}

TEST_F(QtMainWindowTest, CancelledBrowseLeavesTheField) {
  QTest::mouseClick(Control<QPushButton>("CommandDossier", 6), Qt::LeftButton);
  EXPECT_EQ(folderStarts.size(), 1u);
  EXPECT_EQ(Control<QLineEdit>("TexteDossier", 6)->text(), QStringLiteral("C:\\TX_Data\\Data\\"));
  EXPECT_EQ(Background("TexteDossier", 6), kRed);
}

TEST_F(QtMainWindowTest, CodecLabelLooksLikeALink) {
  auto* link = Control<QLabel>("LabelCODEC");
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(16, 72, 239));
  EXPECT_TRUE(link->font().underline());
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_FALSE(Control<QLabel>("Label", 6)->font().underline());
}

TEST_F(QtMainWindowTest, ScreenshotShowsTheRedFieldAndTheNormalOnes) {
  os.AddFolder("C:\\Radio");
  Retype(Control<QLineEdit>("TexteDossier", 1), QStringLiteral("C:\\Radio\\"));
  Retype(Control<QLineEdit>("TexteNomRadio"), QStringLiteral("Radio Étoile"));
  port->SetStatusText("TX3_Config.ini [Site] Lib=Radio Étoile");  // as a step writes it
  QApplication::processEvents();

  const QString path =
      QString::fromStdString(tx3::testing::TestBinaryFolder() + "/tx3_main_window.png");
  ASSERT_TRUE(window->grab().save(path));
  const QImage shot(path);
  ASSERT_EQ(shot.size(), QSize(762, 581));
  // Near the right end of a field, past its text: row 2 (missing) is red, row 1 is not.
  const int right = 116 + 553 - 8;
  EXPECT_EQ(QColor(shot.pixel(right, 104 + 24 * 2 + 10)), kRed);
  EXPECT_NE(QColor(shot.pixel(right, 104 + 24 * 1 + 10)), kRed);
}

// The controls Tab reaches, in the order it reaches them.
std::vector<QWidget*> TabStops(QWidget* first) {
  std::vector<QWidget*> order;
  QWidget* w = first;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) && w->parentWidget() == first->parentWidget()) {
      order.push_back(w);
    }
    w = w->nextInFocusChain();
  } while (w != first && order.size() < 200);
  return order;
}

TEST_F(QtMainWindowTest, KeypadEnterTicksAMarkerAndAScreenReaderPressesTheLink) {
  auto* marker = Control<QCheckBox>("CheckAction", 2);
  marker->setFocus();
  QTest::keyClick(marker, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(model.CheckAction(2));

  QAccessibleInterface* spoken =
      QAccessible::queryAccessibleInterface(Control<QLabel>("LabelCODEC"));
  ASSERT_NE(spoken, nullptr);
  EXPECT_EQ(spoken->role(), QAccessible::Link);
  ASSERT_NE(spoken->actionInterface(), nullptr);
  spoken->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(os.shellCalls.size(), 1u);
}

TEST_F(QtMainWindowTest, FocusGoesBackToTheButtonThatOpenedAMessageBox) {
  boxFocus = Control<QLineEdit>("TexteNomRadio");
  auto* create = Control<QPushButton>("CommandDossierCreer", 0);  // the folder exists: a warning
  create->setFocus();
  QTest::keyClick(create, Qt::Key_Space);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(QApplication::focusWidget(), create);
}

TEST_F(QtMainWindowTest, FocusIsVisibleOnEveryControlTabReaches) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  const std::vector<QWidget*> stops = TabStops(window->ControlWidget("TexteNomRadio"));
  stops.back()->setFocus(Qt::TabFocusReason);
  for (QWidget* w : stops) {
    const QImage before = w->grab().toImage();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w);
    EXPECT_NE(w->grab().toImage(), before) << w->objectName().toStdString();
  }
}

}  // namespace
}  // namespace tx3
