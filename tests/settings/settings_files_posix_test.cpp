// The settings files as the posix platform writes them on an emulated drive C:: exact bytes of a
// new installation, a second run that writes nothing, and hand-edited files kept line for line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/posix/profile_store.h"
#include "settings/settings_command.h"
#include "system/ini_access.h"
#include "test_window.h"

namespace tx3::testing {
namespace {

namespace fs = std::filesystem;

// One emulated drive folder for the whole program: the system platform reads TX3_DRIVES once,
// so it is set before any test runs, and removed when the program ends.
struct TemporaryRoot {
  fs::path root;
  TemporaryRoot() {
    std::string pattern = (fs::temp_directory_path() / "tx3-settings-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    root = made != nullptr ? fs::path(made) : fs::temp_directory_path() / "tx3-settings";
    setenv("TX3_DRIVES", (root / "drives").c_str(), 1);
    setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
  }
  ~TemporaryRoot() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
};
const TemporaryRoot kRoot;

fs::path DrivesFolder() {
  return kRoot.root / "drives";
}

std::string ReadHost(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteHost(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

class SettingsFilesPosixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(DrivesFolder());
    fs::create_directories(DrivesFolder() / "c:");
    window.radio = "Radio Pêche";
    window.stations = {"Été", "Nuit", "", "", ""};
  }
  static fs::path Config(std::string_view file) {
    return DrivesFolder() / "c:" / "Brennic" / "Tarvox" / "Config" / std::string(file);
  }

  void NewInstallation() {
    CommandCreerSettings_Click(run, window, 0);
    CommandCreerSettings_Click(run, window, 1);
    CommandCreerSettings_Click(run, window, 2);
  }

  FakeUi ui;
  SystemContext run{&ui};  // on the system's own platform
  TestWindow window;
};

constexpr std::array<const char*, 4> kFiles = {"Br_Sys.ini", "TX3_Systeme.ini", "BR_Mus.ini",
                                               "BR_Pub.ini"};

TEST_F(SettingsFilesPosixTest, NewInstallationBytesMatchTheReferenceFiles) {
  run.CodeVersionWindows = 5;
  NewInstallation();
  for (const char* file : kFiles) EXPECT_EQ(ReadHost(Config(file)), ReferenceFile(file)) << file;
  EXPECT_EQ(ReadHost(DrivesFolder() / "c:" / "Brennic" / "Tarvox" / "Settings" / "TX3_Config.ini"),
            ReferenceFile("TX3_Config.ini"));
  EXPECT_EQ(ReadHost(DrivesFolder() / "c:" / "windows" / "Win.ini"), ReferenceFile("Win.ini"));
  EXPECT_EQ(ui.MessageTexts(),
            (std::vector<std::string>{"Dossiers créés", "Paramétrage créé ou MAJ",
                                      "Paramétrage créé ou MAJ"}));
}

TEST_F(SettingsFilesPosixTest, SecondRunWritesNothing) {
  run.CodeVersionWindows = 10;
  NewInstallation();
  EXPECT_FALSE(fs::exists(DrivesFolder() / "c:" / "windows" / "Win.ini"));
  std::vector<std::string> before;
  for (const char* file : kFiles) before.push_back(ReadHost(Config(file)));
  platform::posix::SystemProfiles().ResetStats();
  NewInstallation();
  EXPECT_EQ(platform::posix::SystemProfiles().Stats().writes, 0u);
  for (size_t i = 0; i < kFiles.size(); ++i) EXPECT_EQ(ReadHost(Config(kFiles[i])), before[i]);
}

// A file edited by hand: comments, blank lines, LF line ends, foreign sections, a long value.
TEST_F(SettingsFilesPosixTest, HandEditedFileKeepsEveryLineAndGetsOnlyTheMissingKeys) {
  CommandCreerSettings_Click(run, window, 0);
  const std::string longValue(300, 'v');
  const std::string edited =
      "; réglages faits à la main\n"
      "\n"
      "[Pub_Voix]\n"
      "Voix_02 = Claire  \n"
      "ligne sans égal\n"
      "[Outils]\n"
      "Long=" +
      longValue + "\n";
  std::string ansi = platform::Os().Utf8ToAnsi(edited);
  WriteHost(Config("BR_Pub.ini"), ansi);
  CommandCreerSettings_Click(run, window, 2);
  const std::string after = ReadHost(Config("BR_Pub.ini"));
  // Every line of the hand-made file is still there, in order.
  EXPECT_NE(after.find(platform::Os().Utf8ToAnsi(
                "; réglages faits à la main\n\n[Pub_Voix]\nVoix_02 = Claire  \n"
                "ligne sans égal\n")),
            std::string::npos);
  EXPECT_NE(after.find("[Outils]\nLong=" + longValue + "\n"), std::string::npos);
  EXPECT_EQ(after.find("Voix_02=Voix 02"), std::string::npos);
  EXPECT_NE(after.find("Voix_01=Voix 01\r\n"), std::string::npos);
  EXPECT_NE(after.find("Voix_30=Voix 30\r\n"), std::string::npos);
  EXPECT_EQ(LectureIni(run, "C:\\Brennic\\Tarvox\\Config\\BR_Pub.ini", "Outils", "Long", ""),
            longValue);
  EXPECT_EQ(ui.MessageTexts().back(), "Paramétrage créé ou MAJ");
}

TEST_F(SettingsFilesPosixTest, ReadOnlyFileIsCompletedAndKeepsItsValues) {
  CommandCreerSettings_Click(run, window, 0);
  WriteHost(Config("BR_Mus.ini"), "[Mus_Couleur]\r\nCouleur_01=Noir\r\n");
  fs::permissions(Config("BR_Mus.ini"), fs::perms::owner_read | fs::perms::group_read);
  CommandCreerSettings_Click(run, window, 2);
  const std::string after = ReadHost(Config("BR_Mus.ini"));
  EXPECT_TRUE(after.starts_with("[Mus_Couleur]\r\nCouleur_01=Noir\r\nCouleur_02=Triste\r\n"));
  EXPECT_NE(after.find("Strat_09_Dim="), std::string::npos);
  EXPECT_EQ(ui.MessageTexts().back(), "Paramétrage créé ou MAJ");
}

TEST_F(SettingsFilesPosixTest, ConfigFolderOnAMissingDriveWritesNothing) {
  window.folders[1] = "Q:\\Radio\\Config\\";
  CommandCreerSettings_Click(run, window, 2);
  EXPECT_EQ(ui.MessageTexts(),
            std::vector<std::string>{"Dossier de config non trouvé:\r\n\r\nQ:\\Radio\\Config\\"});
  EXPECT_FALSE(fs::exists(DrivesFolder() / "q:"));
}

}  // namespace
}  // namespace tx3::testing
