#include "platform/windows_path.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

struct SplitCase {
  const char* text;
  const char* root;
  bool hasShare;
  std::vector<std::string> components;
  bool trailing;
};

TEST(WindowsPath, SplitsWhereTheTextLies) {
  const SplitCase cases[] = {
      {"C:\\A\\.\\..\\b\\", "C:", false, {"A", ".", "..", "b"}, true},
      {"c:x/y", "c:", false, {"x", "y"}, false},
      {"\\\\SRV\\Share\\x", "\\\\SRV\\Share", true, {"x"}, false},
      {"\\\\SRV\\", "\\\\SRV", false, {}, true},
      {"//SRV//x", "//SRV/", true, {"x"}, false},
      {"\\x\\\\y", "", false, {"x", "y"}, false},
      {"x", "", false, {"x"}, false},
  };
  for (const SplitCase& c : cases) {
    const PathSplit split = SplitPath(c.text);
    EXPECT_EQ(split.root, c.root) << c.text;
    EXPECT_EQ(split.hasShare, c.hasShare) << c.text;
    EXPECT_EQ(std::vector<std::string>(split.components.begin(), split.components.end()),
              c.components)
        << c.text;
    EXPECT_EQ(split.trailingSeparator, c.trailing) << c.text;
  }
}

TEST(WindowsPath, CanonicalTextParentAndLastComponent) {
  EXPECT_EQ(CanonicalText("C:/a/b//"), "C:\\a\\b");
  EXPECT_EQ(CanonicalText("C:\\"), "C:");
  EXPECT_EQ(CanonicalText("//"), "\\\\");
  EXPECT_EQ(ParentText("C:\\a/b"), "C:\\a");
  EXPECT_EQ(ParentText("C:"), "");
  EXPECT_EQ(LastComponent("C:\\a/b"), "b");
  EXPECT_EQ(LastComponent("b"), "b");
}

// A bare file name lives in the Windows folder; a folder, a drive or a share keeps the path.
TEST(WindowsPath, ProfileFilesWithoutAFolderAreInTheWindowsFolder) {
  const std::pair<const char*, const char*> cases[] = {
      {"WIN.INI", "C:\\windows\\WIN.INI"},
      {"", "C:\\windows\\"},
      {"C:\\x\\a.ini", "C:\\x\\a.ini"},
      {"sub/a.ini", "sub/a.ini"},
      {"D:a.ini", "D:a.ini"},
      {"\\\\SRV\\S\\a.ini", "\\\\SRV\\S\\a.ini"},
  };
  for (const auto& [file, expected] : cases) {
    EXPECT_EQ(ProfileFilePath("C:\\windows", file), expected) << file;
  }
}

}  // namespace
}  // namespace tx3::platform
