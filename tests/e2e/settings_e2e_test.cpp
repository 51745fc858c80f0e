// tx3_setup --batch --step 1 --step 2 --step 3 on a temporary drive C:: the folders and settings
// files of a new installation, then a second run that changes none of them.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct SetupRun {
  int status = -1;
  std::string out;
};

struct FileState {
  std::string bytes;
  ino_t inode = 0;
  int64_t mtimeNs = 0;
  bool operator==(const FileState&) const = default;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class SettingsE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tx3-e2e-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "drives" / "c:");
  }
  void TearDown() override { fs::remove_all(root_); }

  SetupRun Setup(const std::string& args) {
    const std::string command = "env TX3_DRIVES='" + (root_ / "drives").string() +
                                "' XDG_STATE_HOME='" + (root_ / "state").string() +
                                "' XDG_DATA_HOME='" + (root_ / "data").string() + "' '" +
                                TX3_SETUP_EXE + "' " + args + " 2>/dev/null";
    SetupRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  // Every file under the drives, with what would show a rewrite.
  std::map<std::string, FileState> Snapshot() const {
    std::map<std::string, FileState> files;
    for (const auto& entry : fs::recursive_directory_iterator(root_ / "drives")) {
      if (!entry.is_regular_file()) continue;
      struct stat st {};
      stat(entry.path().c_str(), &st);
      files[entry.path().string()] =
          FileState{ReadFile(entry.path()), st.st_ino,
                    static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    }
    return files;
  }

  fs::path C(const std::string& relative) const { return root_ / "drives" / "c:" / relative; }

  fs::path root_;
};

TEST_F(SettingsE2eTest, ThreeStepsMakeANewInstallationAndASecondRunChangesNothing) {
  const SetupRun first = Setup("--batch --step 1 --step 2 --step 3");
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
  const std::string data = std::string(TX3_SOURCE_DIR) + "/tests/settings/data/";
  for (const char* file : {"BR_Mus.ini", "BR_Pub.ini"}) {
    EXPECT_EQ(ReadFile(C(std::string("Brennic/Tarvox/Config/") + file)), ReadFile(data + file))
        << file;
  }
  EXPECT_EQ(ReadFile(C("Brennic/Tarvox/Settings/TX3_Config.ini")),
            "[Site]\r\nLib=Nom de votre Radio\r\nActif=1\r\nNbBase=1\r\nNoBase=1\r\n"
            "Dossier_Config_Global=C:\\Brennic\\Tarvox\\Config\\\r\n"
            "[Base_01]\r\nDossier_Config_Global=C:\\Brennic\\Tarvox\\Config\\\r\n");
  const std::string brSys = ReadFile(C("Brennic/Tarvox/Config/Br_Sys.ini"));
  EXPECT_TRUE(
      brSys.starts_with("[Div_Radio]\r\nNom_Radio=Nom de votre Radio\r\n"
                        "Station_001=Nom de la Station 1\r\n[Stations]\r\nNB_MAX=1\r\n"));
  const std::string systeme = ReadFile(C("Brennic/Tarvox/Config/TX3_Systeme.ini"));
  EXPECT_NE(systeme.find("[Base_01_Station_01]\r\nLib=Nom de la Station 1\r\nActif=1\r\n"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(C("windows/Win.ini")));

  const auto before = Snapshot();
  const SetupRun second = Setup("--batch --step 1 --step 2 --step 3");
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
  const SetupRun run = Setup("--batch --step 3");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "[critical]\nDossier de config non trouvé:\n\nC:\\Brennic\\Tarvox\\Config\\\n\n");
  EXPECT_FALSE(fs::exists(C("Brennic/Tarvox/Config")));
}

}  // namespace
