// The focus marks and the link of the Qt window, held against the WCAG ratios in a light and a
// dark palette: a focus mark 3:1 against what it is drawn on, the link's text 4.5:1.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <algorithm>

#include "app/contrast_check.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_test_application.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

using testing::WcagContrast;

unsigned Rgb(QRgb pixel) {
  return pixel & 0xFFFFFFu;
}

QPalette Dark() {
  QPalette dark;
  const struct {
    QPalette::ColorRole role;
    QColor colour;
  } roles[] = {
      {QPalette::Window, QColor(0x35, 0x35, 0x35)},
      {QPalette::WindowText, Qt::white},
      {QPalette::Base, QColor(0x2A, 0x2A, 0x2A)},
      {QPalette::AlternateBase, QColor(0x42, 0x42, 0x42)},
      {QPalette::Text, Qt::white},
      {QPalette::Button, QColor(0x35, 0x35, 0x35)},
      {QPalette::ButtonText, Qt::white},
      {QPalette::Highlight, QColor(0x2A, 0x82, 0xDA)},
      {QPalette::HighlightedText, Qt::white},
      {QPalette::Link, QColor(0x2A, 0x82, 0xDA)},
  };
  for (const auto& r : roles) dark.setColor(r.role, r.colour);
  return dark;
}

class QtFocusContrastTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    testing::EnsureQtApplication();
    saved = QApplication::palette();
    if (GetParam()) QApplication::setPalette(Dark());
    os.AddFolder("C:\\Brennic\\Tarvox");
    window = std::make_unique<QtMainWindow>(model);
    model.Create();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // The keyboard moved the focus once: from then on the window shows where the focus is.
    window->ControlWidget("TexteNomRadio")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  void TearDown() override {
    window.reset();
    QApplication::setPalette(saved);
  }

  QPalette saved;
  testing::FakePlatform os;
  testing::UsePlatform guard{os};
  FrmMain model;
  std::unique_ptr<QtMainWindow> window;
};

// Every pixel the keyboard's focus changes stands out 3:1 from the control's background or from
// what was there before (a mark drawn across text).
TEST_P(QtFocusContrastTest, FocusMarksStandOutThreeToOne) {
  const struct {
    const char* name;
    int index;
    QPalette::ColorRole background;
  } controls[] = {{"LabelCODEC", -1, QPalette::Window},
                  {"CheckTX", -1, QPalette::Window},
                  {"CheckAction", 2, QPalette::Window},
                  {"ListeTX", -1, QPalette::Base}};
  for (const auto& c : controls) {
    QWidget* w = window->ControlWidget(c.name, c.index);
    const unsigned background = Rgb(w->palette().color(c.background).rgb());
    window->ControlWidget("TexteNomRadio")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    const QImage before = w->grab().toImage();
    w->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    const QImage after = w->grab().toImage();
    ASSERT_EQ(before.size(), after.size());
    int changed = 0, pale = 0;
    double palest = 21;
    for (int y = 0; y < after.height(); ++y) {
      for (int x = 0; x < after.width(); ++x) {
        const unsigned was = Rgb(before.pixel(x, y)), now = Rgb(after.pixel(x, y));
        if (was == now) continue;
        ++changed;
        const double ratio = std::max(WcagContrast(was, now), WcagContrast(background, now));
        palest = std::min(palest, ratio);
        if (ratio < 3.0) ++pale;
      }
    }
    EXPECT_GT(changed, 0) << c.name << ": no focus mark";
    // Past the odd smoothed corner pixel of a check box's own outline.
    EXPECT_LE(pale * 50, changed) << c.name << ": " << pale << " of " << changed
                                  << " pixels, palest " << palest;
  }
}

TEST_P(QtFocusContrastTest, TheLinkReadsFourAndAHalfToOne) {
  auto* link = qobject_cast<QLabel*>(window->ControlWidget("LabelCODEC"));
  const unsigned text = Rgb(link->palette().color(QPalette::WindowText).rgb());
  const unsigned background = Rgb(link->palette().color(QPalette::Window).rgb());
  EXPECT_GE(WcagContrast(text, background), 4.5);
  if (!GetParam()) {
    EXPECT_EQ(text, kLinkTextRgb) << "the design's colour in the default theme";
  }
}

// The text of a red field and of a normal one stays readable (4.5:1).
TEST_P(QtFocusContrastTest, FieldTextReadsFourAndAHalfToOne) {
  for (int row : {0, 3}) {  // the application folder exists, the other is missing (red)
    const QPalette look = window->ControlWidget("TexteDossier", row)->palette();
    EXPECT_EQ(Rgb(look.color(QPalette::Base).rgb()) == kRedBackRgb, row == 3);
    EXPECT_GE(
        WcagContrast(Rgb(look.color(QPalette::Text).rgb()), Rgb(look.color(QPalette::Base).rgb())),
        4.5)
        << "row " << row << " on " << look.color(QPalette::Base).name().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, QtFocusContrastTest, ::testing::Values(false, true));

}  // namespace
}  // namespace tx3
