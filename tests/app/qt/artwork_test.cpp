#include "app/qt/artwork.h"

#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "app/qt/qt_test_application.h"

namespace tx3 {
namespace {

TEST(ArtworkTest, LogoIsNinetyPixelsSquareAndDrawn) {
  testing::EnsureQtApplication();
  const QImage logo = DrawLogo(90).toImage();
  ASSERT_EQ(logo.size(), QSize(90, 90));
  // Transparent outside the rounded tile, opaque inside, and more than one colour on it.
  EXPECT_EQ(qAlpha(logo.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(logo.pixel(45, 80)), 255);
  std::set<QRgb> colours;
  for (int y = 10; y < 80; y += 5) {
    for (int x = 10; x < 80; x += 5) colours.insert(logo.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 3u);
}

TEST(ArtworkTest, IconOffersSmallAndLargeSizes) {
  testing::EnsureQtApplication();
  const QIcon icon = ProgramIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.pixmap(16, 16).size(), QSize(16, 16));
  EXPECT_EQ(icon.pixmap(256, 256).size(), QSize(256, 256));
}

}  // namespace
}  // namespace tx3
