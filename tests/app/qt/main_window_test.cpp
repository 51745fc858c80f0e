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
#include <deque>
#include <memory>
#include <set>

#include "app/qt/qt_test_application.h"
#include "app/qt/qt_ui_port.h"
#include "support/fake_platform.h"
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

// Positions of the design in twips, and what they are at 96 dpi (15 twips a pixel).
struct Placed {
  const char* name;
  int index;
  int left, top, width, height;  // twips
  QRect pixels;
};

TEST_F(QtMainWindowTest, ControlsStandWhereTheDesignPutsThem) {
  // The offscreen screen is 96 dpi; on any other density the design is scaled.
  ASSERT_EQ(window->logicalDpiX(), 96);
  ASSERT_EQ(window->logicalDpiY(), 96);
  const Placed table[] = {
      {"TexteNomRadio", -1, 1740, 240, 4635, 315, QRect(116, 16, 309, 21)},
      {"TexteNomStation", 4, 1740 + 1560 * 4, 600, 1515, 315, QRect(532, 40, 101, 21)},
      {"TexteDossier", 0, 1740, 1560, 8295, 315, QRect(116, 104, 553, 21)},
      {"TexteDossier", 7, 1740, 1560 + 360 * 7, 8295, 315, QRect(116, 272, 553, 21)},
      {"CommandDossier", 3, 10080, 1560 + 360 * 3, 495, 315, QRect(672, 176, 33, 21)},
      {"CommandDossierCreer", 5, 10680, 1560 + 360 * 5, 675, 315, QRect(712, 224, 45, 21)},
      {"CheckAction", 6, 1500, 4560 + 360 * 6, 195, 315, QRect(100, 448, 13, 21)},
      {"CommandCreerSettings", 0, 1740, 4560, 3375, 315, QRect(116, 304, 225, 21)},
      {"ComboPervasive", -1, 5220, 5640, 2835, 315, QRect(348, 376, 189, 21)},
      {"CommandPervasiveCreate", -1, 8160, 5640, 3135, 315, QRect(544, 376, 209, 21)},
      {"LabelCODEC", -1, 8160, 6060, 990, 195, QRect(544, 404, 66, 13)},
      {"ListeTX", -1, 5220, 6720, 2835, 1605, QRect(348, 448, 189, 107)},
      {"CheckTX", -1, 8160, 6780, 1395, 195, QRect(544, 452, 93, 13)},
      {"CommandQuitter", -1, 10380, 7920, 975, 375, QRect(692, 528, 65, 25)},
      {"StatusBarMain", -1, 0, 8400, 11430, 315, QRect(0, 560, 762, 21)},
      {"Image", -1, 10020, 60, 1380, 1380, QRect(668, 4, 92, 92)},
  };
  for (const Placed& p : table) {
    QWidget* widget = window->ControlWidget(p.name, p.index);
    ASSERT_NE(widget, nullptr) << p.name << "(" << p.index << ")";
    EXPECT_EQ(widget->geometry(), p.pixels) << p.name << "(" << p.index << ")";
    EXPECT_EQ(widget->parentWidget(), window.get()) << p.name;
  }
}

TEST_F(QtMainWindowTest, ClientAreaHasTheFixedSizeOfTheDesign) {
  EXPECT_EQ(window->size(), QSize(762, 581));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST_F(QtMainWindowTest, OpensCentredOnTheScreen) {
  const QRect available = window->screen()->availableGeometry();
  const QPoint offset = window->geometry().center() - available.center();
  EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

TEST_F(QtMainWindowTest, TitleCarriesTheProgramsVersion) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Installation d'Tarvox - Version: ") +
                                       QString::fromStdString(ProgramVersionText(model.Run())));
  EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(QtMainWindowTest, ShowsEveryCaptionOfTheDesign) {
  struct Caption {
    const char* name;
    int index;
    const char* text;
  };
  const Caption captions[] = {
      {"Label", 6, "Nom de la Radio"},
      {"Label", 7, "Nom des Stations"},
      {"Label", 16, "Dossiers"},
      {"Label", 0, "Application"},
      {"Label", 9, "Datas"},
      {"Label", 19, "Redist"},
      {"Label", 10, "Etape 1"},
      {"Label", 17, "Etape 7"},
      {"LabelCODEC", -1, "Codecs Audio"},
  };
  for (const Caption& c : captions) {
    EXPECT_EQ(Control<QLabel>(c.name, c.index)->text(), QString::fromUtf8(c.text)) << c.name;
  }
  const Caption buttons[] = {
      {"CommandDossier", 2, "..."},
      {"CommandDossierCreer", 2, "Créer"},
      {"CommandCreerSettings", 0, "Créer les dossiers"},
      {"CommandCreerSettings", 6, "Installer les dernières MAJ Tarvox"},
      {"CommandPervasiveCreate", -1, "Créer les fichiers de la base de données"},
      {"CommandQuitter", -1, "Quitter"},
  };
  for (const Caption& c : buttons) {
    EXPECT_EQ(Control<QPushButton>(c.name, c.index)->text(), QString::fromUtf8(c.text)) << c.name;
  }
  EXPECT_EQ(Control<QCheckBox>("CheckTX")->text(), QStringLiteral("(Dé)Cocher"));
  EXPECT_TRUE(Control<QCheckBox>("CheckAction", 0)->text().isEmpty());
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

TEST_F(QtMainWindowTest, OpensWithTheDefaults) {
  EXPECT_EQ(Control<QLineEdit>("TexteNomRadio")->text(), QStringLiteral("Nom de votre Radio"));
  EXPECT_EQ(Control<QLineEdit>("TexteNomStation", 0)->text(),
            QStringLiteral("Nom de la Station 1"));
  EXPECT_TRUE(Control<QLineEdit>("TexteNomStation", 1)->text().isEmpty());
  EXPECT_EQ(Control<QLineEdit>("TexteDossier", 0)->text(), QStringLiteral("C:\\Brennic\\Tarvox\\"));
  EXPECT_EQ(Control<QLineEdit>("TexteDossier", 7)->text(), QStringLiteral("C:\\TX_Redist\\"));
  // A text the program puts in a field is shown from its start.
  EXPECT_EQ(Control<QLineEdit>("TexteNomStation", 0)->cursorPosition(), 0);

  auto* engines = Control<QComboBox>("ComboPervasive");
  EXPECT_EQ(engines->count(), 5);
  EXPECT_EQ(engines->currentText(), QStringLiteral("Workgroup V12"));
  EXPECT_FALSE(engines->isEditable());
  auto* converters = Control<QComboBox>("CombodBPowerAmp");
  EXPECT_EQ(converters->count(), 3);
  EXPECT_EQ(converters->currentText(), QStringLiteral("Version 15.3 (payante)"));

  auto* packages = Control<QListWidget>("ListeTX");
  ASSERT_EQ(packages->count(), 18);
  EXPECT_EQ(packages->item(0)->text(), QStringLiteral("Library"));
  EXPECT_EQ(packages->item(17)->text(), QStringLiteral("Tools Web"));
  for (int row = 0; row < packages->count(); ++row) {
    EXPECT_TRUE(packages->item(row)->flags() & Qt::ItemIsUserCheckable) << row;
    EXPECT_EQ(packages->item(row)->checkState(), Qt::Checked) << row;
  }
  EXPECT_TRUE(Control<QCheckBox>("CheckTX")->isChecked());
  for (int s = 0; s < kStepCount; ++s)
    EXPECT_FALSE(Control<QCheckBox>("CheckAction", s)->isChecked());
  EXPECT_TRUE(window->findChild<QLabel*>("StatusBarMain.Panel1")->text().isEmpty());
  EXPECT_TRUE(shown.empty()) << shown.front().text.toStdString();
}

TEST_F(QtMainWindowTest, MissingFoldersAreRedAndTheOthersNormal) {
  EXPECT_NE(NormalBackground(), kRed);
  EXPECT_EQ(Background("TexteDossier", 0), NormalBackground());  // C:\Brennic\Tarvox\ exists
  for (int i = 1; i < kFolderCount; ++i) EXPECT_EQ(Background("TexteDossier", i), kRed) << i;
}

TEST_F(QtMainWindowTest, TypingAFolderTurnsTheFieldNormalOnceItExists) {
  os.AddFolder("C:\\Radio");
  auto* field = Control<QLineEdit>("TexteDossier", 2);
  Retype(field, QStringLiteral("C:\\Radi"));
  EXPECT_EQ(Background("TexteDossier", 2), kRed);
  QTest::keyClicks(field, QStringLiteral("o"));
  EXPECT_EQ(Background("TexteDossier", 2), NormalBackground());
  EXPECT_EQ(model.TexteDossier(2).text, "C:\\Radio");
  QTest::keyClicks(field, QStringLiteral("x"));
  EXPECT_EQ(Background("TexteDossier", 2), kRed);
  EXPECT_EQ(field->text(), QStringLiteral("C:\\Radiox"));
  EXPECT_EQ(field->cursorPosition(), field->text().size());
}

TEST_F(QtMainWindowTest, EditingRowZeroMovesTheApplicationFolder) {
  Retype(Control<QLineEdit>("TexteDossier", 0), QStringLiteral("D:\\Ailleurs\\"));
  EXPECT_EQ(model.DossierApplication(), "D:\\Ailleurs\\");
  EXPECT_EQ(Background("TexteDossier", 0), kRed);
}

TEST_F(QtMainWindowTest, NameEditsReachTheModel) {
  Retype(Control<QLineEdit>("TexteNomRadio"), QStringLiteral("Radio Étoile"));
  Retype(Control<QLineEdit>("TexteNomStation", 2), QStringLiteral("Étoile 3"));
  EXPECT_EQ(model.TexteNomRadio(), "Radio Étoile");
  EXPECT_EQ(model.TexteNomStation(2), "Étoile 3");
}

TEST_F(QtMainWindowTest, CreateOnAnExistingFolderWarnsUnderTheWindowsTitle) {
  QTest::mouseClick(Control<QPushButton>("CommandDossierCreer", 0), Qt::LeftButton);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
  EXPECT_EQ(shown[0].title, window->windowTitle());
  EXPECT_EQ(shown[0].text, QStringLiteral("Le dossier existe déjà:\n\nC:\\Brennic\\Tarvox\\"));
}

TEST_F(QtMainWindowTest, CreateMakesTheFolderAndTheFieldTurnsNormal) {
  os.AddFolder("C:\\Kalvet");
  QTest::mouseClick(Control<QPushButton>("CommandDossierCreer", 3), Qt::LeftButton);
  EXPECT_TRUE(os.IsFolder("C:\\Kalvet\\Pub"));
  EXPECT_EQ(Background("TexteDossier", 3), NormalBackground());
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

TEST_F(QtMainWindowTest, CheckAllSetsEveryRowAndRowsStayEditable) {
  auto* packages = Control<QListWidget>("ListeTX");
  packages->item(3)->setCheckState(Qt::Unchecked);  // as a click on the row's box does
  EXPECT_FALSE(model.ListeTX()[3].checked);

  auto* checkAll = Control<QCheckBox>("CheckTX");
  QTest::mouseClick(checkAll, Qt::LeftButton);
  EXPECT_EQ(model.CheckTXValue(), 0);
  for (int row = 0; row < 18; ++row) EXPECT_EQ(packages->item(row)->checkState(), Qt::Unchecked);
  QTest::mouseClick(checkAll, Qt::LeftButton);
  for (int row = 0; row < 18; ++row) EXPECT_EQ(packages->item(row)->checkState(), Qt::Checked);
}

TEST_F(QtMainWindowTest, SelectionsReachTheModel) {
  Control<QComboBox>("ComboPervasive")->setCurrentIndex(4);
  Control<QComboBox>("CombodBPowerAmp")->setCurrentIndex(2);
  EXPECT_EQ(model.PervasiveSelection(), 4);
  EXPECT_EQ(model.ConverterSelection(), 2);
  QTest::mouseClick(Control<QCheckBox>("CheckAction", 1), Qt::LeftButton);
  EXPECT_TRUE(model.CheckAction(1));
}

TEST_F(QtMainWindowTest, ModelChangesAreShown) {
  model.SetCheckAction(4, true);
  model.SetStatusText("BR_Pub.ini [Pub] Cle=1");
  model.SetComboPervasiveSelection(2);
  EXPECT_TRUE(Control<QCheckBox>("CheckAction", 4)->isChecked());
  EXPECT_EQ(window->findChild<QLabel*>("StatusBarMain.Panel1")->text(),
            QStringLiteral("BR_Pub.ini [Pub] Cle=1"));
  EXPECT_EQ(Control<QComboBox>("ComboPervasive")->currentText(), QStringLiteral("Workgroup V10"));
}

TEST_F(QtMainWindowTest, CodecLabelLooksLikeALink) {
  auto* link = Control<QLabel>("LabelCODEC");
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(16, 72, 239));
  EXPECT_TRUE(link->font().underline());
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_FALSE(Control<QLabel>("Label", 6)->font().underline());
}

TEST_F(QtMainWindowTest, CodecLinkClickOpensTheCodecPage) {
  auto* link = Control<QLabel>("LabelCODEC");
  QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
  ASSERT_EQ(os.shellCalls.size(), 1u);
  EXPECT_EQ(os.shellCalls[0].operation, "Open");
  EXPECT_TRUE(os.shellCalls[0].file.ends_with("/codec-central.htm")) << os.shellCalls[0].file;
}

TEST_F(QtMainWindowTest, FirstStepButtonCreatesTheFoldersAndTicksItsMarker) {
  QTest::mouseClick(Control<QPushButton>("CommandCreerSettings", 0), Qt::LeftButton);
  EXPECT_TRUE(os.IsFolder("C:\\Kalvet\\Pub"));
  EXPECT_TRUE(os.IsFolder("C:\\TX_Redist"));
  EXPECT_TRUE(Control<QCheckBox>("CheckAction", 0)->isChecked());
  EXPECT_FALSE(Control<QCheckBox>("CheckAction", 1)->isChecked());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back().text, QStringLiteral("Dossiers créés"));
  EXPECT_EQ(shown.back().icon, QMessageBox::Information);
  EXPECT_EQ(Background("TexteDossier", 7), NormalBackground());
}

TEST_F(QtMainWindowTest, QuitClosesTheWindow) {
  QTest::mouseClick(Control<QPushButton>("CommandQuitter"), Qt::LeftButton);
  EXPECT_TRUE(model.Unloaded());
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(shown.empty());
}

TEST_F(QtMainWindowTest, TabOrderRunsTopToBottom) {
  QWidget* first = window->ControlWidget("TexteNomRadio");
  std::vector<QWidget*> order;
  QWidget* w = first;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) && w->parentWidget() == window.get()) order.push_back(w);
    w = w->nextInFocusChain();
  } while (w != first && order.size() < 200);
  // Radio, 5 stations, 8 × 3 folder controls, 7 × 2 step controls, 2 lists, the database
  // button, the codec link, the component list, "(Dé)Cocher" and "Quitter".
  ASSERT_EQ(order.size(), 1u + 5 + 24 + 14 + 2 + 1 + 1 + 1 + 1 + 1);
  for (size_t i = 1; i < order.size(); ++i) {
    const QRect a = order[i - 1]->geometry();
    const QRect b = order[i]->geometry();
    const bool later = b.top() > a.top() || (b.top() == a.top() && b.left() > a.left());
    EXPECT_TRUE(later) << order[i - 1]->objectName().toStdString() << " then "
                       << order[i]->objectName().toStdString();
  }
}

TEST_F(QtMainWindowTest, ScreenshotShowsTheRedFieldAndTheNormalOnes) {
  os.AddFolder("C:\\Radio");
  Retype(Control<QLineEdit>("TexteDossier", 1), QStringLiteral("C:\\Radio\\"));
  Retype(Control<QLineEdit>("TexteNomRadio"), QStringLiteral("Radio Étoile"));
  port->SetStatusText("TX3_Config.ini [Site] Lib=Radio Étoile");  // as a step writes it
  QApplication::processEvents();

  const QString path = QStringLiteral(TX3_TEST_BINARY_DIR "/tx3_main_window.png");
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

QString Spoken(QWidget* widget, QAccessible::Text what) {
  QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(widget);
  return seen == nullptr ? QString() : seen->text(what);
}

TEST_F(QtMainWindowTest, EveryControlTabReachesHasANameOfItsOwn) {
  std::set<QString> names;
  for (QWidget* w : TabStops(window->ControlWidget("TexteNomRadio"))) {
    const QString name = Spoken(w, QAccessible::Name);
    EXPECT_FALSE(name.isEmpty()) << w->objectName().toStdString();
    EXPECT_TRUE(names.insert(name).second) << name.toStdString() << " twice";
  }
  EXPECT_EQ(Spoken(Control<QPushButton>("CommandDossierCreer", 2), QAccessible::Name),
            QStringLiteral("Créer le dossier Log technique"));
  EXPECT_EQ(Spoken(Control<QCheckBox>("CheckAction", 4), QAccessible::Name),
            QStringLiteral("Etape 5 effectuée"));
}

TEST_F(QtMainWindowTest, AMissingFolderIsSaidInWordsUntilItExists) {
  auto* field = Control<QLineEdit>("TexteDossier", 3);
  const QString missing = QStringLiteral("Dossier introuvable");
  EXPECT_EQ(Spoken(field, QAccessible::Description), missing);
  EXPECT_EQ(field->toolTip(), missing);
  EXPECT_EQ(Spoken(Control<QLineEdit>("TexteDossier", 0), QAccessible::Description), QString());

  os.AddFolder("C:\\Kalvet");
  QTest::mouseClick(Control<QPushButton>("CommandDossierCreer", 3), Qt::LeftButton);
  EXPECT_EQ(Spoken(field, QAccessible::Description), QString());
  EXPECT_EQ(field->toolTip(), QString());
}

TEST_F(QtMainWindowTest, EnterAndSpacePressTheFocusedButtonOrMarker) {
  os.AddFolder("C:\\Kalvet");
  auto* create = Control<QPushButton>("CommandDossierCreer", 3);
  create->setFocus();
  QTest::keyClick(create, Qt::Key_Return);
  EXPECT_TRUE(os.IsFolder("C:\\Kalvet\\Pub"));
  auto* createRedist = Control<QPushButton>("CommandDossierCreer", 7);
  createRedist->setFocus();
  QTest::keyClick(createRedist, Qt::Key_Space);
  EXPECT_TRUE(os.IsFolder("C:\\TX_Redist"));

  auto* marker = Control<QCheckBox>("CheckAction", 2);
  marker->setFocus();
  QTest::keyClick(marker, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(model.CheckAction(2));
  QTest::keyClick(marker, Qt::Key_Space);
  EXPECT_FALSE(model.CheckAction(2));

  auto* link = Control<QLabel>("LabelCODEC");
  link->setFocus();
  QTest::keyClick(link, Qt::Key_Space);
  QTest::keyClick(link, Qt::Key_Return);
  EXPECT_EQ(os.shellCalls.size(), 2u) << "Space and Enter each open the codec page";
  // A screen reader presses it through its action.
  QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(link);
  ASSERT_NE(spoken, nullptr);
  EXPECT_EQ(spoken->role(), QAccessible::Link);
  ASSERT_NE(spoken->actionInterface(), nullptr);
  spoken->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(os.shellCalls.size(), 3u);
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
