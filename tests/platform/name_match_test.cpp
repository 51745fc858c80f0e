#include "platform/name_match.h"

#include <gtest/gtest.h>

#include <string>

namespace tx3::platform {
namespace {

TEST(NameMatch, ComparesCaseInsensitivelyAcrossScripts) {
  EXPECT_TRUE(SameName("Brennic", "BRENNIC"));
  EXPECT_TRUE(SameName("Données", "DONNÉES"));
  EXPECT_TRUE(SameName("Œuvre", "œuvre"));
  EXPECT_TRUE(SameName("ĄĆĘ", "ąćę"));
  EXPECT_TRUE(SameName("ŁÓDŹ", "łódź"));
  EXPECT_TRUE(SameName("МУЗЫКА", "музыка"));
  EXPECT_TRUE(SameName("ΜΟΥΣΙΚΗ", "μουσικη"));
  EXPECT_FALSE(SameName("Brennic", "Brennik"));
  EXPECT_FALSE(SameName("a", "á"));
  EXPECT_FALSE(SameName("×", "÷"));  // not a letter pair
}

TEST(NameMatch, KeepsInvalidBytesApart) {
  EXPECT_TRUE(SameName("\xff", "\xff"));
  EXPECT_FALSE(SameName("\xc3", "\xe3"));
}

struct PatternCase {
  const char* name;
  const char* pattern;
  bool matches;
};

class PatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternTest, MatchesAsWindows) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PatternTest,
    ::testing::Values(PatternCase{"FRAD000.bt6", "FRAD000.bt6", true},
                      PatternCase{"frad000.BT6", "FRAD000.bt6", true},
                      PatternCase{"FRAD000.bt6", "*", true}, PatternCase{".", "*", true},
                      PatternCase{"..", "*", true}, PatternCase{"FRAD000.bt6", "*.bt6", true},
                      PatternCase{"FRAD000.bt6", "FRAD00?.bt6", true},
                      PatternCase{"FRAD0000.bt6", "FRAD00?.bt6", false},
                      PatternCase{"FRAD000.bt6", "*.ini", false},
                      PatternCase{"Readme", "*.*", true}, PatternCase{"Readme", "Readme.*", true},
                      PatternCase{"Readme", "*.", true}, PatternCase{"Readme.txt", "*.", false},
                      PatternCase{"été.ini", "?t?.INI", true}, PatternCase{"ab", "a*b*", true},
                      PatternCase{"abc", "a*c*d", false}, PatternCase{"", "*", true},
                      PatternCase{"abc", "", false}));

TEST(NameMatch, ListsCaseInsensitivelyThenByBytes) {
  EXPECT_TRUE(ListsBefore("alpha", "Beta"));
  EXPECT_TRUE(ListsBefore("Beta", "gamma"));
  EXPECT_TRUE(ListsBefore("B", "b"));
  EXPECT_FALSE(ListsBefore("b", "B"));
}

}  // namespace
}  // namespace tx3::platform
