#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "support/test_files.h"
#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class PosixPlatformTest : public TempDrivesTest {
 protected:
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
};

TEST_F(PosixPlatformTest, ProfileFunctionsWorkOnMappedPaths) {
  MakeHostFolder("c:/Settings");
  EXPECT_TRUE(os_->WriteProfileEntry("Général", "Dossier", "C:\\Brennic\\",
                                     "C:\\SETTINGS\\TX3_Config.ini"));
  os_->CommitProfileWrites();
  EXPECT_NE(Contents(Host("c:/Settings/TX3_Config.ini")).find("Dossier=C:\\Brennic\\"),
            std::string::npos);
  std::string value;
  EXPECT_EQ(os_->ReadProfileString("général", "dossier", "d", &value, "c:/settings/tx3_config.ini"),
            11u);
  EXPECT_EQ(value, "C:\\Brennic\\");
}

TEST_F(PosixPlatformTest, ABareProfileNameLivesInTheWindowsFolder) {
  MakeHostFolder("c:/windows");
  EXPECT_TRUE(os_->WriteProfileEntry("Brennic", "Config", "C:\\Cfg\\", "Win.ini"));
  EXPECT_TRUE(HostExists("c:/windows/Win.ini"));
}

TEST_F(PosixPlatformTest, AnUnmappableProfileReadsTheDefaultAndRefusesWrites) {
  for (const char* file : {"Q:\\x.ini", "C:\\a|b.ini", "C:\\CON\\x.ini"}) {
    std::string value;
    EXPECT_EQ(os_->ReadProfileString("S", "K", "défaut", &value, file), 6u) << file;
    EXPECT_EQ(value, "défaut") << file;
    EXPECT_FALSE(os_->WriteProfileEntry("S", "K", "v", file)) << file;
  }
  EXPECT_FALSE(os_->WriteProfileEntry("S", "K", "v", "C:\\Missing\\x.ini"));
}

TEST_F(PosixPlatformTest, DialogFoldersAreExistingHostFolders) {
  MakeHostFolder("c:/Brennic");
  MakeHostFile("c:/file.txt");
  EXPECT_EQ(os_->HostPathForDialog("C:\\BRENNIC\\"), Host("c:/Brennic"));
  EXPECT_EQ(os_->HostPathForDialog("C:\\Missing"), "");
  EXPECT_EQ(os_->HostPathForDialog("C:\\file.txt"), "");
  EXPECT_EQ(os_->HostPathForDialog("Q:\\"), "");
  EXPECT_EQ(os_->WindowsPathFromHost(Host("c:/Brennic")), "C:\\Brennic");
}

TEST_F(PosixPlatformTest, TheExecutableIsNamedInWindowsForm) {
  std::string expected = "Z:" + tx3::testing::TestBinaryFolder() + "/tx3_platform_tests";
  std::replace(expected.begin(), expected.end(), '/', '\\');
  char real[4096];
  ASSERT_NE(::realpath(tx3::testing::TestBinaryFolder().c_str(), real), nullptr);
  std::string canonical = "Z:" + std::string(real) + "/tx3_platform_tests";
  std::replace(canonical.begin(), canonical.end(), '/', '\\');
  const std::string answered = os_->ExecutablePath();
  EXPECT_TRUE(answered == expected || answered == canonical) << answered;
}

TEST_F(PosixPlatformTest, ReadsTheEnvironment) {
  const ScopedEnv set("TX3_TEST_VARIABLE", "valeur é");
  EXPECT_EQ(os_->GetEnv("TX3_TEST_VARIABLE"), "valeur é");
  EXPECT_EQ(os_->GetEnv("TX3_TEST_UNSET_VARIABLE"), std::nullopt);
}

}  // namespace
}  // namespace tx3::platform::posix
