// tx3_setup --batch --step 1 --step 2 --step 3 on a temporary drive C:: the folders and settings
// files of a new installation, then a second run that changes none of them.
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include "program_run.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

struct FileState {
  std::string bytes;
  ino_t inode = 0;
  int64_t mtimeNs = 0;
  bool operator==(const FileState&) const = default;
};

using ::testing::HasSubstr;
using tx3::e2e::ReadAll;

class SettingsE2eTest : public tx3::e2e::E2eTest {
 protected:
  // Every file under the drives, with what would show a rewrite.
  std::map<std::string, FileState> Snapshot() const {
    std::map<std::string, FileState> files;
    for (const auto& entry : fs::recursive_directory_iterator(drives_)) {
      if (!entry.is_regular_file()) continue;
      struct stat st {};
      stat(entry.path().c_str(), &st);
      files[entry.path().string()] =
          FileState{ReadAll(entry.path()), st.st_ino,
                    static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    }
    return files;
  }
};

TEST_F(SettingsE2eTest, ThreeStepsMakeANewInstallationAndASecondRunChangesNothing) {
  const tx3::e2e::ProgramRun first = Run({"--batch", "--step", "1", "--step", "2", "--step", "3"});
  EXPECT_EQ(first.status, 0) << first.out;
  EXPECT_EQ(first.out,
            "[information]\nDossiers créés\n\n"
            "[information]\nParamétrage créé ou MAJ\n\n"
            "[information]\nParamétrage créé ou MAJ\n\n");
  for (const char* folder :
       {"Brennic/Tarvox", "Brennic/Tarvox/Config", "Kalvet", "Kalvet/Pub", "TX_Sons/Sons/Musique",
        "TX_Data/Sons/Autre", "TX_Data/Data", "TX_Redist"}) {
    EXPECT_TRUE(fs::is_directory(C(folder))) << folder;
  }
  const std::string data = tx3::testing::SourceFolder() + "/tests/settings/data/";
  for (const char* file : {"BR_Mus.ini", "BR_Pub.ini"}) {
    EXPECT_EQ(ReadAll(C(std::string("Brennic/Tarvox/Config/") + file)), ReadAll(data + file))
        << file;
  }
  EXPECT_EQ(ReadAll(C("Brennic/Tarvox/Settings/TX3_Config.ini")),
            "[Site]\r\nLib=Nom de votre Radio\r\nActif=1\r\nNbBase=1\r\nNoBase=1\r\n"
            "Dossier_Config_Global=C:\\Brennic\\Tarvox\\Config\\\r\n"
            "[Base_01]\r\nDossier_Config_Global=C:\\Brennic\\Tarvox\\Config\\\r\n");
  const std::string brSys = ReadAll(C("Brennic/Tarvox/Config/Br_Sys.ini"));
  EXPECT_TRUE(
      brSys.starts_with("[Div_Radio]\r\nNom_Radio=Nom de votre Radio\r\n"
                        "Station_001=Nom de la Station 1\r\n[Stations]\r\nNB_MAX=1\r\n"));
  const std::string systeme = ReadAll(C("Brennic/Tarvox/Config/TX3_Systeme.ini"));
  EXPECT_THAT(systeme, HasSubstr("[Base_01_Station_01]\r\nLib=Nom de la Station 1\r\nActif=1\r\n"));
  EXPECT_FALSE(fs::exists(C("windows/Win.ini")));

  const auto before = Snapshot();
  const tx3::e2e::ProgramRun second = Run({"--batch", "--step", "1", "--step", "2", "--step", "3"});
  EXPECT_EQ(second.status, 0) << second.out;
  EXPECT_EQ(second.out, first.out);
  const auto after = Snapshot();
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [path, state] : before) {
    ASSERT_TRUE(after.contains(path)) << path;
    EXPECT_TRUE(after.at(path) == state) << path;
  }
}

TEST_F(SettingsE2eTest, MissingConfigFolderIsACriticalMessageAndExitStatus1) {
  const tx3::e2e::ProgramRun run = Run({"--batch", "--step", "3"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "[critical]\nDossier de config non trouvé:\n\nC:\\Brennic\\Tarvox\\Config\\\n\n");
  EXPECT_FALSE(fs::exists(C("Brennic/Tarvox/Config")));
}

}  // namespace
