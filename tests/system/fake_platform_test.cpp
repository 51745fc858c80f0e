// The shared fakes answer as the layers' tests expect of Windows.
#include "support/fake_platform.h"

#include <gmock/gmock.h>

#include "system_fixture.h"

namespace tx3::testing {
namespace {

using ::testing::ElementsAre;

class FakePlatformTest : public SystemTest {};

TEST_F(FakePlatformTest, TreeIsCaseInsensitiveAndAnswersLikeDir) {
  os.AddFile("C:\\Data\\Radio.INI", 5);
  std::string name;
  EXPECT_EQ(os.FindFirst("c:\\DATA\\radio.ini", false, &name), 0);
  EXPECT_EQ(name, "Radio.INI");
  EXPECT_EQ(os.FindFirst("C:\\Data\\*.ini", false, &name), 0);
  EXPECT_EQ(name, "Radio.INI");
  EXPECT_EQ(os.FindFirst("C:\\Data\\", true, &name), 0);
  EXPECT_EQ(name, ".");
  EXPECT_EQ(os.FindFirst("C:", true, &name), 0);
  EXPECT_EQ(name, "");
  EXPECT_EQ(os.FindFirst("C:\\windows", false, &name), 0);
  EXPECT_EQ(name, "");  // a folder needs the directory flag
}

TEST_F(FakePlatformTest, MakeDirectoryAnswersClassicNumbers) {
  EXPECT_EQ(os.MakeDirectory("C:\\windows"), err::kPathFileAccess);
  EXPECT_EQ(os.MakeDirectory("C:\\a\\b"), err::kPathNotFound);
  EXPECT_EQ(os.MakeDirectory("C:\\a<b"), err::kBadFileName);
  EXPECT_EQ(os.MakeDirectory("C:\\CON"), err::kBadFileName);
  os.DenyCreate("C:\\denied");
  EXPECT_EQ(os.MakeDirectory("C:\\denied"), err::kPathFileAccess);
  EXPECT_EQ(os.MakeDirectory("C:\\a"), 0);
  EXPECT_TRUE(os.IsFolder("c:\\A\\"));
}

TEST_F(FakePlatformTest, IniModelKeepsOrderAndReplacesValues) {
  const char* file = "C:\\windows\\F.ini";
  EXPECT_TRUE(os.WriteProfileEntry("B", "k1", "1", file));
  EXPECT_TRUE(os.WriteProfileEntry("A", "k", "x", file));
  EXPECT_TRUE(os.WriteProfileEntry("b", "K2", "2", file));
  EXPECT_TRUE(os.WriteProfileEntry("B", "K1", "one", file));
  EXPECT_EQ(os.IniText(file), "[B]\r\nk1=one\r\nK2=2\r\n[A]\r\nk=x\r\n");
  EXPECT_EQ(os.Find(file)->size, static_cast<int64_t>(os.IniText(file).size()));
  std::string value;
  EXPECT_EQ(os.ReadProfileString("b", "k2", "d", &value, file), 1u);
  EXPECT_EQ(value, "2");
  EXPECT_EQ(os.ReadProfileString("B", "none", "défaut", &value, file), 6u);
  EXPECT_EQ(value, "défaut");
}

TEST_F(FakePlatformTest, FailuresCanBeLimitedToCountAndPath) {
  os.FailCall("FileSize", err::kPathFileAccess, 1, "C:\\x.bin");
  os.AddFile("C:\\x.bin", 3);
  os.AddFile("C:\\y.bin", 4);
  int64_t size = 0;
  EXPECT_EQ(os.FileSize("C:\\y.bin", &size), 0);
  EXPECT_EQ(os.FileSize("c:\\X.BIN", &size), err::kPathFileAccess);
  EXPECT_EQ(os.FileSize("C:\\x.bin", &size), 0);
  EXPECT_EQ(size, 3);
}

TEST_F(FakePlatformTest, LibrariesAreScripted) {
  int marker = 0;
  os.libraries["WBTRV32.DLL"] = {{"BTRCALL", &marker}};
  int32_t error = 0;
  auto library = os.LoadEngineLibrary("wbtrv32.dll", &error);
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(library->Symbol("BTRCALL"), &marker);
  EXPECT_EQ(library->Symbol("OTHER"), nullptr);
  EXPECT_EQ(os.LoadEngineLibrary("missing.dll", &error), nullptr);
  EXPECT_EQ(error, err::kLibraryNotFound);
  EXPECT_THAT(os.loadedLibraries, ElementsAre("wbtrv32.dll"));
}

}  // namespace
}  // namespace tx3::testing
