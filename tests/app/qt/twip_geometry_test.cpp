#include "app/qt/twip_geometry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tx3 {
namespace {

struct Scaling {
  int twips;
  int dpi;
  int pixels;
};

// Names the table rows in test reports ("315 twips at 120 dpi").
void PrintTo(const Scaling& s, std::ostream* os) {
  *os << s.twips << " twips at " << s.dpi << " dpi";
}

class ScaledPixelsTest : public ::testing::TestWithParam<Scaling> {};

TEST_P(ScaledPixelsTest, ConvertsTwipsAtTheScreensDensity) {
  const Scaling& s = GetParam();
  EXPECT_EQ(ScaledPixels(s.twips, s.dpi), s.pixels) << s.twips << " twips at " << s.dpi;
}

INSTANTIATE_TEST_SUITE_P(Table, ScaledPixelsTest,
                         ::testing::Values(Scaling{11430, 96, 762},  // client width
                                           Scaling{8715, 96, 581},   // client height
                                           Scaling{15, 96, 1}, Scaling{0, 96, 0},
                                           Scaling{1740, 144, 174},   // 150 %
                                           Scaling{8715, 192, 1162},  // 200 %
                                           Scaling{315, 120, 26},     // 26.25 rounds down
                                           Scaling{324, 120, 27},     // 27.0
                                           Scaling{318, 120, 27},     // 26.5 rounds up
                                           Scaling{7, 96, 0}, Scaling{8, 96, 1}));

TEST(PixelRectTest, AtNinetySixDpiIsFifteenTwipsAPixel) {
  const ControlLayout field{"TexteDossier", 7, ControlKind::TextField, 1740, 4080, 8295, 315, ""};
  EXPECT_EQ(PixelRect(field, 96, 96), QRect(116, 272, 553, 21));
}

TEST(PixelRectTest, NeighboursStayJoinedAtAnyDensity) {
  // The status bar starts where a control ending at 8400 twips stops.
  const ControlLayout above{"A", -1, ControlKind::Label, 0, 8085, 100, 315, ""};
  const ControlLayout below{"B", -1, ControlKind::StatusBar, 0, 8400, 11430, 315, ""};
  for (int dpi : {96, 98, 111, 144, 167}) {
    EXPECT_EQ(PixelRect(above, dpi, dpi).bottom() + 1, PixelRect(below, dpi, dpi).top()) << dpi;
  }
}

TEST(PixelRectTest, ScalesEachAxisByItsOwnDensity) {
  const ControlLayout quit{"CommandQuitter", -1, ControlKind::Button, 10380, 7920, 975, 375, ""};
  EXPECT_EQ(PixelRect(quit, 96, 192), QRect(692, 1056, 65, 50));
}

}  // namespace
}  // namespace tx3
