// The Qt window on screens and desktops that cannot hold its design as drawn: larger text, a
// higher scale (this program runs a second time with QT_SCALE_FACTOR=2), the offscreen
// platform's 800 × 600 screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "app/qt/main_window.h"
#include "app/qt/qt_test_application.h"
#include "app/qt/window_font.h"
#include "support/fake_platform.h"
#include "support/test_files.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

TEST(DesktopTextScaleTest, GrowsFromEachDesktopsOwnDefault) {
  testing::EnsureQtApplication();
  const struct {
    double points;
    const char* desktop;
    double scale;
  } cases[] = {
      {9, "", 1.0},     {18, "", 2.0},    {11, "GNOME", 1.0}, {22, "ubuntu:GNOME", 2.0},
      {10, "KDE", 1.0}, {15, "KDE", 1.5}, {8, "", 1.0},
  };
  for (const auto& c : cases) {
    QFont font;
    font.setPointSizeF(c.points);
    EXPECT_DOUBLE_EQ(DesktopTextScale(font, c.desktop), c.scale) << c.points << " " << c.desktop;
  }
}

// The desktop's text at its default size, then twice as large.
class QtWindowFitTest : public ::testing::TestWithParam<double> {
 protected:
  void SetUp() override {
    testing::EnsureQtApplication();
    saved = QApplication::font();
    QFont larger = saved;
    larger.setPointSizeF(9.0 * GetParam());  // Qt's default desktop text is 9 points
    QApplication::setFont(larger);
    os.AddFolder("C:\\Brennic\\Tarvox");
    window = std::make_unique<QtMainWindow>(model);
    model.Create();
    window->CentreOnScreen();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void TearDown() override {
    window.reset();
    QApplication::setFont(saved);
  }

  QFont saved;
  testing::FakePlatform os;  // no desktop named: Qt's own default
  testing::UsePlatform guard{os};
  FrmMain model;
  std::unique_ptr<QtMainWindow> window;
};

TEST_P(QtWindowFitTest, TheDesignGrowsWithTheTextAndTheWindowStaysInsideTheScreen) {
  const double scale = GetParam();
  const QSize design(static_cast<int>(762 * scale), static_cast<int>(581 * scale));
  EXPECT_EQ(window->Form()->size(), design);
  EXPECT_EQ(window->ControlWidget("TexteDossier", 7)->geometry().topLeft(),
            QPoint(static_cast<int>(116 * scale), static_cast<int>(272 * scale)));
  EXPECT_TRUE(CaptionsFit(window->font(), window.get(), scale));

  const QRect screen = window->screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(window->frameGeometry()))
      << window->frameGeometry().width() << "x" << window->frameGeometry().height() << " in "
      << screen.width() << "x" << screen.height();
  // Scroll bars only where the design is larger than the window.
  const QSize view = window->Viewport()->size();
  auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("FormScroll"));
  ASSERT_NE(scroll, nullptr);
  EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), view.height() < design.height());
  EXPECT_EQ(scroll->horizontalScrollBar()->isVisible(), view.width() < design.width());
  EXPECT_EQ(view.width() < design.width() || view.height() < design.height(),
            design.width() > screen.width() || design.height() > screen.height());

  const qreal ratio = window->devicePixelRatioF();
  const QString path =
      QString::fromStdString(tx3::testing::TestBinaryFolder() + "/tx3_main_window_text%1_at%2.png")
          .arg(qRound(scale * 100))
          .arg(qRound(ratio * 100));
  const QImage shot = window->grab().toImage();
  ASSERT_TRUE(shot.save(path));
  EXPECT_EQ(shot.size(), window->size() * ratio);
}

INSTANTIATE_TEST_SUITE_P(TextSize, QtWindowFitTest, ::testing::Values(1.0, 2.0));

}  // namespace
}  // namespace tx3
