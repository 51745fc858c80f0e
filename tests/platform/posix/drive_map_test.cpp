#include "platform/posix/drive_map.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "platform/posix/host_files.h"
#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class DriveMapTest : public TempDrivesTest {
 protected:
  DriveMap& drives() { return os_->drives(); }
};

// Changes the current folder for one scope.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::string& folder) : old_(CurrentHostFolder()) {
    EXPECT_EQ(::chdir(folder.c_str()), 0);
  }
  ~ScopedCurrentFolder() { EXPECT_EQ(::chdir(old_.c_str()), 0); }

 private:
  std::string old_;
};

TEST_F(DriveMapTest, MapsADriveEntryFolder) {
  const MappedPath mapped = drives().Map("C:\\Brennic\\Tarvox\\");
  ASSERT_EQ(mapped.status, MapStatus::kOk);
  EXPECT_EQ(mapped.host, Host("c:/Brennic/Tarvox"));
}

TEST_F(DriveMapTest, MapsThroughALinkedDriveEntry) {
  ASSERT_EQ(::mkdir((root_ + "/data").c_str(), 0777), 0);
  ASSERT_EQ(::symlink((root_ + "/data").c_str(), Host("d:").c_str()), 0);
  const MappedPath mapped = drives().Map("d:/Sons");
  ASSERT_EQ(mapped.status, MapStatus::kOk);
  EXPECT_EQ(mapped.host, Host("d:/Sons"));
}

TEST_F(DriveMapTest, AcceptsAnUpperCaseDriveEntry) {
  MakeHostFolder("E:");
  EXPECT_EQ(drives().Map("e:\\x").host, Host("E:/x"));
}

TEST_F(DriveMapTest, ADriveWithoutEntryDoesNotExist) {
  EXPECT_EQ(drives().Map("Q:\\x").status, MapStatus::kNoDrive);
  ASSERT_EQ(::symlink((root_ + "/nowhere").c_str(), Host("r:").c_str()), 0);
  EXPECT_EQ(drives().Map("R:\\x").status, MapStatus::kNoDrive);
}

TEST_F(DriveMapTest, MapsNetworkPathsUnderTheUncFolder) {
  const MappedPath mapped = drives().Map("\\\\SRV\\Share\\Sons\\a.wav");
  ASSERT_EQ(mapped.status, MapStatus::kOk);
  EXPECT_EQ(mapped.host, Host("unc/SRV/Share/Sons/a.wav"));
}

TEST_F(DriveMapTest, FindsExistingComponentsCaseInsensitively) {
  MakeHostFolder("c:/Brennic");
  MakeHostFolder("c:/Brennic/Tarvox");
  EXPECT_EQ(drives().Map("C:\\BRENNIC\\tarvox\\New").host, Host("c:/Brennic/Tarvox/New"));
  EXPECT_EQ(drives().Map("C:\\brennic\\Données").host, Host("c:/Brennic/Données"));
}

TEST_F(DriveMapTest, PrefersTheExactCase) {
  MakeHostFolder("c:/data");
  MakeHostFolder("c:/Data");
  EXPECT_EQ(drives().Map("C:\\Data").host, Host("c:/Data"));
  EXPECT_EQ(drives().Map("C:\\data").host, Host("c:/data"));
}

TEST_F(DriveMapTest, NeverClimbsAboveTheDriveFolder) {
  const MappedPath mapped = drives().Map("C:\\..\\..\\..\\etc\\passwd");
  ASSERT_EQ(mapped.status, MapStatus::kOk);
  EXPECT_EQ(mapped.host, Host("c:/etc/passwd"));
  EXPECT_EQ(drives().Map("\\\\SRV\\Share\\..\\..\\x").host, Host("unc/SRV/Share/x"));
}

TEST_F(DriveMapTest, RefusesNamesWindowsRefuses) {
  for (const char* text : {"C:\\a|b", "C:\\CON", "C:\\x\\LPT1.txt\\y", "C:\\dot.", "C:\\blank ",
                           "C:\\a\x01"
                           "b"}) {
    EXPECT_EQ(drives().Map(text).status, MapStatus::kRefused) << text;
  }
}

TEST_F(DriveMapTest, MapsRelativePathsFromTheCurrentFolder) {
  MakeHostFolder("c:/Work");
  const ScopedCurrentFolder current(Host("c:/Work"));
  EXPECT_EQ(drives().Map("sub\\file.ini").host, Host("c:/Work/sub/file.ini"));
  EXPECT_EQ(drives().Map("..\\other").host, Host("c:/other"));
  EXPECT_EQ(drives().Map("\\top").host, Host("c:/top"));
}

TEST_F(DriveMapTest, SurvivesVeryLongPaths) {
  std::string deep = "C:";
  while (deep.size() < 10000) deep += "\\abcdefghij";
  const MappedPath mapped = drives().Map(deep);
  EXPECT_EQ(mapped.status, MapStatus::kOk);
  std::string wide = "C:\\" + std::string(10000, 'n');
  EXPECT_EQ(drives().Map(wide).status, MapStatus::kOk);
  EXPECT_FALSE(drives().WindowsPathOf(Host("c:/") + std::string(10000, 'n')).empty());
  std::string hostDeep = Host("c:");
  while (hostDeep.size() < 10000) hostDeep += "/abcdefghij";
  EXPECT_EQ(drives().WindowsPathOf(hostDeep).substr(0, 14), "C:\\abcdefghij\\");
}

struct BackCase {
  const char* below;  // host path below the test root
  const char* windows;
};

TEST_F(DriveMapTest, MapsHostFoldersBack) {
  MakeHostFolder("c:/Brennic");
  ASSERT_EQ(::mkdir((root_ + "/data").c_str(), 0777), 0);
  ASSERT_EQ(::mkdir((root_ + "/data/Sons").c_str(), 0777), 0);
  ASSERT_EQ(::symlink((root_ + "/data").c_str(), Host("d:").c_str()), 0);
  MakeHostFolder("unc");
  MakeHostFolder("unc/SRV");
  MakeHostFolder("unc/SRV/Share");
  for (const BackCase& c :
       {BackCase{"drives/c:/Brennic", "C:\\Brennic"}, BackCase{"drives/c:", "C:\\"},
        BackCase{"drives/c:/Brennic/../Brennic/./New", "C:\\Brennic\\New"},
        BackCase{"data/Sons", "D:\\Sons"}, BackCase{"drives/d:/Sons", "D:\\Sons"},
        BackCase{"drives/unc/SRV/Share", "\\\\SRV\\Share"}}) {
    EXPECT_EQ(drives().WindowsPathOf(root_ + "/" + c.below), c.windows) << c.below;
  }
}

TEST_F(DriveMapTest, MapsOtherHostFoldersUnderZ) {
  EXPECT_EQ(drives().WindowsPathOf("/usr/share"), "Z:\\usr\\share");
  EXPECT_EQ(drives().WindowsPathOf("/"), "Z:\\");
  std::string expected = "Z:" + root_ + "/elsewhere";
  std::replace(expected.begin(), expected.end(), '/', '\\');
  EXPECT_EQ(drives().WindowsPathOf(root_ + "/elsewhere/"), expected);
}

TEST(DriveMapDefaults, MakesDriveCAndZOnFirstUse) {
  char pattern[] = "/tmp/tx3_default_XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  const std::string folder = root + "/share/tx3-setup/drives";
  {
    DriveMap drives(folder, true);
    struct stat info {};
    EXPECT_NE(::lstat(folder.c_str(), &info), 0) << "made before first use";
    EXPECT_EQ(drives.Map("C:\\Brennic").host, folder + "/c:/Brennic");
    ASSERT_EQ(::lstat((folder + "/z:").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(drives.Map("Z:\\usr").host, folder + "/z:/usr");
    EXPECT_EQ(drives.WindowsPathOf(folder + "/c:/x"), "C:\\x");
  }
  RemoveTree(root);
}

TEST(DriveMapDefaults, LeavesAConfiguredFolderAlone) {
  char pattern[] = "/tmp/tx3_configured_XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  {
    const ScopedEnv env("TX3_DRIVES", root + "/drives");
    DriveMap drives = DriveMap::FromEnvironment();
    EXPECT_EQ(drives.folder(), root + "/drives");
    EXPECT_EQ(drives.Map("C:\\x").status, MapStatus::kNoDrive);
    struct stat info {};
    EXPECT_NE(::lstat((root + "/drives").c_str(), &info), 0);
  }
  RemoveTree(root);
}

}  // namespace
}  // namespace tx3::platform::posix
