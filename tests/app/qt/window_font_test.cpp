#include "app/qt/window_font.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "app/qt/qt_test_application.h"

namespace tx3 {
namespace {

TEST(WindowFontTest, KeepsTheFamilyAndMakesEveryCaptionFit) {
  testing::EnsureQtApplication();
  QWidget window;
  QFont base = window.font();
  base.setPointSize(8);
  const QFont chosen = WindowFont(base, &window);
  EXPECT_EQ(chosen.family(), base.family());
  EXPECT_LE(chosen.pointSizeF(), 8.0);
  EXPECT_GE(chosen.pointSizeF(), 6.5);
  EXPECT_TRUE(CaptionsFit(chosen, &window));
}

TEST(WindowFontTest, LargeTextDoesNotFitAndSmallTextDoes) {
  testing::EnsureQtApplication();
  QWidget window;
  QFont font = window.font();
  font.setPointSize(20);
  EXPECT_FALSE(CaptionsFit(font, &window));
  font.setPointSize(4);
  EXPECT_TRUE(CaptionsFit(font, &window));
}

}  // namespace
}  // namespace tx3
