#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
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

}  // namespace
}  // namespace tx3
