#include "app/window_layout.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tx3
