// N2S: width, fill, decimals, the 0.005 always added, rounding ties to even, the sign, and the
// statements that fail and are skipped.
#include "common/n2s.h"

#include <gtest/gtest.h>

#include <string>

#include "common/error.h"
#include "common/run_context.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

struct Case {
  double valeur;
  int16_t largeur;
  int16_t decimales;
  const char* remplissage;
  const char* expected;
};

class N2STest : public ::testing::Test {
 protected:
  void ExpectCases(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
      EXPECT_EQ(N2S(run_, c.valeur, c.largeur, c.decimales, c.remplissage), c.expected)
          << "N2S(" << c.valeur << ", " << c.largeur << ", " << c.decimales << ", \""
          << c.remplissage << "\")";
    }
  }

  testing::FakePlatform os_;
  testing::UsePlatform guard_{os_};
  RunContext run_;
};

TEST_F(N2STest, ZeroPaddedCounters) {
  ExpectCases({
      {7, 3, 0, "0", "007"},
      {805, 4, 0, "0", "0805"},
      {12, 2, 0, "0", "12"},
      {12345, 3, 0, "0", "345"},  // excess digits are cut on the left
      {5, 4, 0, "", "   5"},
      {0, 3, 0, "0", "000"},
      {23, 2, 0, "0", "23"},
      {1, 3, 0, "0ab", "001"},  // only the first fill character counts
      {7, 3, 0, "é", "éé7"},    // widths are in characters
  });
  EXPECT_EQ(run_.PbTErreur.Numero, 0);
}

TEST_F(N2STest, Decimals) {
  ExpectCases({
      {3.14159, 6, 2, "0", "003.15"},
      {0.2, 6, 2, " ", "  0.20"},   // a zero before a bare point
      {0.05, 6, 2, "0", "000.06"},  // the added 0.005 rounds up
      {0, 5, 3, " ", "0.005"},      // blanks after the point become zeros
      {12.345, 6, 2, "0", "012.35"},
      {3.14159, 3, 2, "0", ".15"},  // no room before the point: no zero added
      {0, 6, 4, "e", "0.ee50"},     // a non-digit reads as 0: the zero replaces a fill character
      {5.2, 5, 2, "9", "95.20"},
  });
}

TEST_F(N2STest, RoundingTiesGoToTheEvenInteger) {
  ExpectCases({
      {2.495, 1, 0, "0", "2"},     // 2.5 exactly: down to the even 2
      {3.495, 1, 0, "0", "4"},     // 3.5 exactly: up to the even 4
      {2.5, 1, 0, "0", "3"},       // 2.505
      {0.2, 6, 2, "0", "000.20"},  // 20.5 goes to 20
      {1.494, 1, 0, "0", "1"},
      {1.496, 1, 0, "0", "2"},  // 1.501 once the 0.005 is added
  });
}

TEST_F(N2STest, NegativeNumbers) {
  ExpectCases({
      {-2, 6, 2, " ", " -2.00"},
      {-42, 4, 0, "0", "-042"},     // the leading zero takes the sign
      {-1234, 4, 0, "0", "-1234"},  // one character longer than the width
      {-5, 4, 0, " ", "  -5"},      // the rightmost blank takes the sign
      {-5, 3, 0, "x", "-x5"},       // a non-digit first character takes the sign
      {-0.2, 6, 2, "0", "-00.20"},
      {-0.001, 3, 0, "0", "-00"},  // rounds to zero but keeps its sign
      {-7, 1, 0, " ", "-7"},
  });
}

TEST_F(N2STest, LargeValuesAreClamped) {
  ExpectCases({
      {3e9, 10, 0, "0", "2147483647"},
      {1e300, 12, 0, " ", "  2147483647"},
      {-3e9, 10, 0, "0", "-2147483647"},
      {2147483646.9, 10, 0, "0", "2147483647"},
      {21474836.47, 10, 2, "0", "1474836.47"},  // clamped, then the first digit makes room
  });
  EXPECT_EQ(run_.PbTErreur.Numero, 0);
}

TEST_F(N2STest, WidthZeroGivesEmptyText) {
  ExpectCases({{5, 0, 0, "0", ""}});
  EXPECT_EQ(run_.PbTErreur.Numero, 0);
}

TEST_F(N2STest, NegativeWidthFailsAndLeavesEmptyText) {
  EXPECT_EQ(N2S(run_, 5, -1, 0, "0"), "");
  EXPECT_EQ(run_.PbTErreur.Numero, err::kInvalidCall);
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Public:N2S (Value: 5)");
}

TEST_F(N2STest, FailureAfterTheSignNamesTheAbsoluteValue) {
  EXPECT_EQ(N2S(run_, -2.5, -3, 0, "0"), "");
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Public:N2S (Value: 2.5)");
}

TEST_F(N2STest, IdentificationTextUsesTheRuntimeForm) {
  N2S(run_, 3.14159, -1, 0, "0");
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Public:N2S (Value: 3.14159)");
  N2S(run_, 0.1 + 0.2, -1, 0, "0");
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Public:N2S (Value: 0.3)");
  N2S(run_, 1e5, -1, 0, "0");
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Public:N2S (Value: 100000)");
  N2S(run_, 1e20, -1, 0, "0");
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Public:N2S (Value: 1E+20)");
}

TEST_F(N2STest, DecimalsLeavingNoRoomKeepTheDigits) {
  // Width - decimals - 1 is negative: the point is never inserted.
  EXPECT_EQ(N2S(run_, 1.5, 2, 2, "0"), "50");
  EXPECT_EQ(run_.PbTErreur.Numero, err::kInvalidCall);
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Public:N2S (Value: 1.5)");
}

TEST_F(N2STest, TenDecimalsOrMoreOverflowToZeroDigits) {
  EXPECT_EQ(N2S(run_, 5, 12, 10, "0"), "0.0000000000");
  EXPECT_EQ(N2S(run_, 5, 4, 10, "0"), "0000");
  EXPECT_EQ(N2S(run_, 5, 20, 12, " "), "      0.000000000000");
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Public:N2S (Value: 5)");
}

TEST_F(N2STest, NegativeDecimalsGiveZeroDigitsAndNoPoint) {
  EXPECT_EQ(N2S(run_, 5, 4, -1, "0"), "0000");
  EXPECT_EQ(run_.PbTErreur.Numero, err::kInvalidCall);
}

TEST_F(N2STest, NineDecimalsStillFit) {
  EXPECT_EQ(N2S(run_, 1, 11, 9, "0"), "1.005000000");
  EXPECT_EQ(run_.PbTErreur.Numero, 0);
}

TEST_F(N2STest, NegativeWithEmptyResultStaysEmpty) {
  EXPECT_EQ(N2S(run_, -5, 0, 0, "0"), "");
  EXPECT_EQ(run_.PbTErreur.Numero, err::kInvalidCall);
}

}  // namespace
}  // namespace tx3
