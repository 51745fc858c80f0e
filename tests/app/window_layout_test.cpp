#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>

namespace tx3 {
namespace {

TEST(WindowLayoutTest, EveryControlLiesInTheClientArea) {
  for (const ControlLayout& c : WindowLayout()) {
    EXPECT_GE(c.left, 0) << c.name << c.index;
    EXPECT_GE(c.top, 0) << c.name << c.index;
    EXPECT_LE(c.left + c.width, kClientWidthTwips) << c.name << c.index;
    EXPECT_LE(c.top + c.height, kClientHeightTwips) << c.name << c.index;
  }
}

TEST(WindowLayoutTest, NamesAndIndicesAreUnique) {
  std::set<std::pair<std::string, int>> seen;
  for (const ControlLayout& c : WindowLayout()) {
    EXPECT_TRUE(seen.insert({std::string(c.name), c.index}).second) << c.name << c.index;
  }
}

TEST(WindowLayoutTest, FolderRowsAreSpacedByRow) {
  for (int i = 0; i < 8; ++i) {
    const ControlLayout* field = FindControl("TexteDossier", i);
    const ControlLayout* browse = FindControl("CommandDossier", i);
    const ControlLayout* create = FindControl("CommandDossierCreer", i);
    ASSERT_TRUE(field && browse && create) << i;
    EXPECT_EQ(field->top, 1560 + 360 * i);
    EXPECT_EQ(browse->top, field->top);
    EXPECT_EQ(create->caption, "Créer");
    EXPECT_EQ(browse->caption, "...");
  }
  ASSERT_NE(FindControl("Label", 9), nullptr);
  EXPECT_EQ(FindControl("Label", 9)->caption, "Datas");
  EXPECT_EQ(FindControl("Label", 19)->caption, "Redist");
  EXPECT_EQ(FindControl("Label", 19)->top, 1560 + 360 * 7 + 60);
}

TEST(WindowLayoutTest, StepRowsCarryTheirCaptions) {
  EXPECT_EQ(FindControl("Label", 17)->caption, "Etape 7");
  EXPECT_EQ(FindControl("Label", 10)->caption, "Etape 1");
  EXPECT_EQ(FindControl("CommandCreerSettings", 3)->caption,
            "Installer le moteur de base de données");
  EXPECT_EQ(FindControl("CommandCreerSettings", 6)->top, 4560 + 360 * 6);
  EXPECT_EQ(FindControl("CheckAction", 4)->left, 1500);
  EXPECT_EQ(FindControl("ComboPervasive")->top, FindControl("CommandCreerSettings", 3)->top);
  EXPECT_EQ(FindControl("CheckTX")->caption, "(Dé)Cocher");
  EXPECT_EQ(FindControl("LabelCODEC")->kind, ControlKind::LinkLabel);
}

TEST(WindowLayoutTest, UnknownControlIsAbsent) {
  EXPECT_EQ(FindControl("TexteDossier", 8), nullptr);
  EXPECT_EQ(FindControl("Label"), nullptr);
}

// A caption as wide as its room fits; one more pixel and the font is too large, whichever caption
// it is.
TEST(WindowLayoutTest, ACaptionFitsUpToItsRoom) {
  const ControlLayout* create = FindControl("CommandDossierCreer", 0);
  const ControlLayout* tick = nullptr;
  for (const ControlLayout& c : WindowLayout()) {
    if (c.kind == ControlKind::CheckBox && !c.caption.empty()) tick = &c;
  }
  ASSERT_TRUE(create && tick);
  struct Case {
    const ControlLayout* measured;
    int dpi;
    int extra;  // pixels beyond the room
    bool fits;
  };
  for (const Case c : {Case{create, 96, 0, true}, Case{create, 96, 1, false},
                       Case{tick, 144, 0, true}, Case{tick, 144, 1, false}}) {
    // Every control with the measured caption is as wide as that caption's narrowest room.
    int room = ScaledPixels(CaptionRoomTwips(*c.measured), c.dpi);
    for (const ControlLayout& other : WindowLayout()) {
      if (other.caption == c.measured->caption)
        room = std::min(room, ScaledPixels(CaptionRoomTwips(other), c.dpi));
    }
    const bool fits = EveryCaptionFits(c.dpi, [&](std::string_view caption) {
      return caption == c.measured->caption ? room + c.extra : 0.0;
    });
    EXPECT_EQ(fits, c.fits) << c.measured->name << " at " << c.dpi << " dpi, +" << c.extra;
  }
  EXPECT_FALSE(EveryCaptionFits(96, [](std::string_view) { return 1e6; }));
}

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

TEST(ScaledEdgesTest, AtNinetySixDpiIsFifteenTwipsAPixel) {
  const ControlLayout field{"TexteDossier", 7, ControlKind::TextField, 1740, 4080, 8295, 315, ""};
  EXPECT_EQ(ScaledEdges(field, 96, 96), (PixelEdges{116, 272, 669, 293}));
}

TEST(ScaledEdgesTest, NeighboursStayJoinedAtAnyDensity) {
  // The status bar starts where a control ending at 8400 twips stops.
  const ControlLayout above{"A", -1, ControlKind::Label, 0, 8085, 100, 315, ""};
  const ControlLayout below{"B", -1, ControlKind::StatusBar, 0, 8400, 11430, 315, ""};
  for (int dpi : {96, 98, 111, 144, 167}) {
    EXPECT_EQ(ScaledEdges(above, dpi, dpi).bottom, ScaledEdges(below, dpi, dpi).top) << dpi;
  }
}

TEST(ScaledEdgesTest, ScalesEachAxisByItsOwnDensity) {
  const ControlLayout quit{"CommandQuitter", -1, ControlKind::Button, 10380, 7920, 975, 375, ""};
  EXPECT_EQ(ScaledEdges(quit, 96, 192), (PixelEdges{692, 1056, 757, 1106}));
}

}  // namespace
}  // namespace tx3
