#include "app/window_fit.h"

#include <gtest/gtest.h>

#include "app/contrast_check.h"
#include "app/window_colours.h"
#include "app/window_layout.h"

namespace tx3 {
namespace {

TEST(WindowFitTest, TheDesignScrollsOnlyWhereTheRoomIsShort) {
  const ClientSize design{762, 581};
  const struct {
    ClientSize room;
    WindowFit want;
  } cases[] = {
      {{1920, 1040}, {{762, 581}, false, false}},  // fits: no scroll bar
      {{762, 581}, {{762, 581}, false, false}},    // just fits
      {{1000, 500}, {{762, 500}, true, false}},    // short: a vertical bar beside the design
      {{770, 500}, {{753, 483}, true, true}},      // the vertical bar leaves too little width
      {{700, 900}, {{700, 581}, false, true}},     // narrow: a horizontal bar below
      {{700, 590}, {{683, 573}, true, true}},      // the horizontal bar leaves too little height
      {{640, 400}, {{623, 383}, true, true}},
  };
  for (const auto& c : cases) {
    const WindowFit fit = FitInside(design, c.room, 17);
    EXPECT_EQ(fit, c.want) << c.room.width << "x" << c.room.height;
    EXPECT_LE(fit.Client(17).width, c.room.width);
    EXPECT_LE(fit.Client(17).height, c.room.height);
  }
}

TEST(WindowFitTest, ScrollingShowsAControlWithAsLittleMoveAsPossible) {
  const struct {
    int position, start, end, want;
  } cases[] = {
      {0, 10, 40, 0},        // shown whole: stays
      {0, 90, 130, 30},      // below: its end comes to the view's end
      {200, 150, 170, 150},  // above: its start comes to the view's start
      {0, 50, 400, 50},      // longer than the view: its start first
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScrollToShow(c.position, 100, c.start, c.end), c.want) << c.start << ".." << c.end;
  }
}

TEST(WindowFitTest, LargerSystemTextGrowsTheDesignAndSmallerNever) {
  EXPECT_DOUBLE_EQ(TextScale(9, 9), 1.0);
  EXPECT_DOUBLE_EQ(TextScale(18, 9), 2.0);
  EXPECT_DOUBLE_EQ(TextScale(12, 8), 1.5);
  EXPECT_DOUBLE_EQ(TextScale(7, 9), 1.0);
  EXPECT_DOUBLE_EQ(TextScale(0, 9), 1.0);  // a size the system did not tell
}

TEST(WindowColoursTest, ContrastFollowsTheWcagFormula) {
  const struct {
    unsigned a, b;
  } pairs[] = {{0x000000, 0xFFFFFF}, {0xFF0000, 0x000000}, {0x1048EF, 0xF0F0F0},
               {0x767676, 0xFFFFFF}, {0x308CC6, 0xEFEFEF}, {0x353535, 0x2A82DA}};
  for (const auto& p : pairs) {
    EXPECT_NEAR(ContrastRatio(p.a, p.b), testing::WcagContrast(p.a, p.b), 1e-9);
    EXPECT_DOUBLE_EQ(ContrastRatio(p.a, p.b), ContrastRatio(p.b, p.a));
  }
  EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);  // the palest grey text on white
  EXPECT_TRUE(IsDark(0x353535));
  EXPECT_FALSE(IsDark(0xF0F0F0));
}

TEST(WindowColoursTest, TheLinkReadsAsTextInEveryTheme) {
  constexpr unsigned kDesign = kLinkTextRgb;
  const struct {
    const char* theme;
    LinkColours colours;
    unsigned want;
  } cases[] = {
      {"light", {kDesign, 0x0000FF, 0x000000, 0xF0F0F0, false}, kDesign},
      {"light, system link preferred", {kDesign, 0x0066CC, 0x000000, 0xFFFFFF, true}, 0x0066CC},
      {"dark", {kDesign, 0x8AB4F8, 0xFFFFFF, 0x2D2D2D, true}, 0x8AB4F8},
      {"dark, pale system link", {kDesign, 0x2A82DA, 0xFFFFFF, 0x353535, true}, 0xFFFFFF},
      {"high contrast black", {kDesign, 0xFFFF00, 0xFFFFFF, 0x000000, true}, 0xFFFF00},
      {"dark window, default theme", {kDesign, 0x8AB4F8, 0xFFFFFF, 0x202020, false}, 0x8AB4F8},
  };
  for (const auto& c : cases) {
    const unsigned link = LinkColour(c.colours);
    EXPECT_EQ(link, c.want) << c.theme;
    EXPECT_GE(testing::WcagContrast(link, c.colours.background), 4.5) << c.theme;
  }
}

}  // namespace
}  // namespace tx3
