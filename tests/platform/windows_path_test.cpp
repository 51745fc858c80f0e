#include "platform/windows_path.h"

#include <gtest/gtest.h>

#include <string>

namespace tx3::platform {
namespace {

TEST(WindowsPath, TellsHowATextLocatesItself) {
  EXPECT_EQ(FormOf("C:\\x"), PathForm::kDrive);
  EXPECT_EQ(FormOf("d:x"), PathForm::kDrive);
  EXPECT_EQ(FormOf("\\\\SRV\\Share"), PathForm::kUnc);
  EXPECT_EQ(FormOf("//SRV/Share"), PathForm::kUnc);
  EXPECT_EQ(FormOf("\\x"), PathForm::kRootRelative);
  EXPECT_EQ(FormOf("x\\y"), PathForm::kRelative);
  EXPECT_EQ(FormOf(""), PathForm::kRelative);
}

struct ParseCase {
  const char* text;
  bool ok;
  const char* normal;  // ToText of the result
  bool trailing;
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, ParsesAndNormalises) {
  const ParseCase& c = GetParam();
  WindowsPath path;
  ASSERT_EQ(ParseAbsolute(c.text, false, &path), c.ok) << c.text;
  if (!c.ok) return;
  EXPECT_EQ(ToText(path), c.normal) << c.text;
  EXPECT_EQ(path.trailingSeparator, c.trailing) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseTest,
    ::testing::Values(
        ParseCase{"C:\\Brennic\\Tarvox\\", true, "C:\\Brennic\\Tarvox", true},
        ParseCase{"c:/Brennic/Tarvox", true, "C:\\Brennic\\Tarvox", false},
        ParseCase{"C:\\\\a\\\\\\b", true, "C:\\a\\b", false}, ParseCase{"C:\\", true, "C:\\", true},
        ParseCase{"C:", true, "C:\\", false}, ParseCase{"C:a\\b", true, "C:\\a\\b", false},
        ParseCase{"C:\\a\\.\\b\\..\\c", true, "C:\\a\\c", false},
        ParseCase{"C:\\..\\..\\etc\\passwd", true, "C:\\etc\\passwd", false},
        ParseCase{"C:\\a\\..\\..\\..", true, "C:\\", false},
        ParseCase{"\\\\SRV\\Share\\x\\y", true, "\\\\SRV\\Share\\x\\y", false},
        ParseCase{"\\\\SRV\\Share\\..\\..\\x", true, "\\\\SRV\\Share\\x", false},
        ParseCase{"\\\\SRV\\..\\x", false, "", false}, ParseCase{"\\\\?\\C:\\x", false, "", false},
        ParseCase{"C:\\a\\CON\\b", false, "", false}, ParseCase{"C:\\a\\b.", false, "", false},
        ParseCase{"C:\\a \\b", false, "", false}, ParseCase{"C:\\a:b", false, "", false},
        ParseCase{"C:\\*.ini", false, "", false}, ParseCase{"1:\\x", false, "", false},
        ParseCase{"\\x", false, "", false}));

TEST(WindowsPath, AllowsWildcardsOnlyInTheLastComponent) {
  WindowsPath path;
  EXPECT_TRUE(ParseAbsolute("C:\\Data\\FRAD0??.bt6", true, &path));
  EXPECT_EQ(path.parts.back(), "FRAD0??.bt6");
  EXPECT_FALSE(ParseAbsolute("C:\\D*\\x.bt6", true, &path));
  EXPECT_FALSE(ParseAbsolute("C:\\Data\\*\\", true, &path));
}

TEST(WindowsPath, KeepsTheDriveLetterInLowerCase) {
  WindowsPath path;
  ASSERT_TRUE(ParseAbsolute("D:\\x", false, &path));
  EXPECT_EQ(path.drive, 'd');
  EXPECT_FALSE(path.unc);
}

}  // namespace
}  // namespace tx3::platform
