// tx3_setup run as the operator runs it, on a temporary drive folder. HOME, XDG_* and the log file
// point into the same temporary folder so that nothing is written outside it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

class AppE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tx3_app_e2e_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    drives_ = root_ / "drives";
    fs::create_directories(drives_ / "c:");
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path C(const std::string& rest) const { return drives_ / "c:" / rest; }

  // Runs tx3_setup with `args` and no display.
  Outcome Run(const std::vector<std::string>& args) {
    std::vector<std::string> env = {
        "HOME=" + (root_ / "home").string(),
        "XDG_STATE_HOME=" + (root_ / "state").string(),
        "XDG_DATA_HOME=" + (root_ / "data").string(),
        "XDG_CONFIG_HOME=" + (root_ / "config").string(),
        "TX3_DRIVES=" + drives_.string(),
        "TX3_LOG_FILE=" + (root_ / "log" / "TX3_Setup.log").string(),
        "PATH=/usr/bin:/bin",
    };
    for (const char* keep : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
      if (const char* v = std::getenv(keep)) env.push_back(std::string(keep) + "=" + v);
    }
    std::vector<std::string> argv = {TX3_SETUP_EXE};
    argv.insert(argv.end(), args.begin(), args.end());

    const fs::path out = root_ / "stdout.txt";
    const fs::path err = root_ / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    std::vector<char*> argp;
    for (std::string& a : argv) argp.push_back(a.data());
    argp.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    Outcome outcome;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return outcome;
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    outcome.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    outcome.out = ReadAll(out);
    outcome.err = ReadAll(err);
    return outcome;
  }

  // Every path under the drive folder, with the size of each file.
  std::string Snapshot() const {
    std::ostringstream list;
    for (const auto& e : fs::recursive_directory_iterator(drives_)) {
      list << e.path().string() << ' ' << (e.is_regular_file() ? e.file_size() : 0) << '\n';
    }
    return list.str();
  }

  fs::path root_;
  fs::path drives_;
};

void WriteInstallation(const fs::path& cDrive) {
  WriteAll(cDrive / "Brennic/Tarvox/Settings/TX3_Config.ini",
           "[Site]\r\nLib=Radio Ouest\r\nDossier_Config_Global=C:\\Conf\r\n");
  WriteAll(cDrive / "Conf/TX3_Systeme.ini",
           "[Base_01]\r\nDossier_Data=C:\\Donnees\\\r\n[Base_01_Station_02]\r\nLib=Ouest 2\r\n");
}

TEST_F(AppE2eTest, StartUpReadsBackAndWritesNothing) {
  WriteInstallation(drives_ / "c:");
  const std::string before = Snapshot();
  const Outcome r = Run({"--batch"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(AppE2eTest, ReadBackFoldersAreTheOnesActedOn) {
  WriteInstallation(drives_ / "c:");
  // Row 1 was read back as C:\Conf (no trailing backslash), which exists.
  Outcome r = Run({"--batch", "--create-folder", "1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "[warning]\nLe dossier existe déjà:\n\nC:\\Conf\n\n");
  // Row 6 came from TX3_Systeme.ini in that folder.
  r = Run({"--batch", "--create-folder", "6"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(fs::is_directory(C("Donnees")));
}

TEST_F(AppE2eTest, ReadBackRadioNameIsWrittenBackByStepTwo) {
  WriteInstallation(drives_ / "c:");
  const Outcome r = Run({"--batch", "--step", "2"});
  // C:\Conf has no "\Config" part: the step warns, so the run ends with status 1.
  EXPECT_EQ(r.status, 1) << r.out << r.err;
  EXPECT_TRUE(r.out.starts_with("[warning]\n")) << r.out;
  const std::string config = ReadAll(C("Brennic/Tarvox/Settings/TX3_Config.ini"));
  EXPECT_NE(config.find("Lib=Radio Ouest\r\n"), std::string::npos) << config;
  EXPECT_EQ(config.find("Nom de votre Radio"), std::string::npos) << config;
}

TEST_F(AppE2eTest, CreateFolderThenAgain) {
  Outcome r = Run({"--batch", "--create-folder", "3"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(fs::is_directory(C("Kalvet/Pub")));
  r = Run({"--batch", "--create-folder", "3"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "[warning]\nLe dossier existe déjà:\n\nC:\\Kalvet\\Pub\\\n\n");
}

TEST_F(AppE2eTest, FieldOptionsApplyBeforeActions) {
  const Outcome r =
      Run({"--batch", "--create-folder", "5", "--folder", "5=C:\\Sons\\Autre\\Jingles"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(fs::is_directory(C("Sons/Autre/Jingles")));
  EXPECT_FALSE(fs::exists(C("TX_Data")));
}

TEST_F(AppE2eTest, DamagedOrHugeSettingsFilesDoNotStopTheStartUp) {
  std::string garbage = "\xff\xfe[Si\0te\r\n=Lib\r\n[[[\n";
  garbage += std::string(2'000'000, 'x');
  WriteAll(C("Brennic/Tarvox/Settings/TX3_Config.ini"), garbage);
  WriteAll(C("Brennic/Tarvox/Config/TX3_Systeme.ini"),
           "[Base_01]\r\nDossier_Data=" + std::string(300000, 'd') + "\r\n\0\0\0");
  const Outcome r = Run({"--batch"});
  EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(AppE2eTest, UnusableFolderFieldsNeverCrash) {
  const std::vector<std::string> texts = {"C:\\Wild*card?\\",
                                          "C:\\Re<fu>sé|\\",
                                          "Q:\\Sans\\Lecteur\\",
                                          "\\\\SRV\\Share\\Radio\\",
                                          "C:\\" + std::string(10000, 'n') + "\\",
                                          "",
                                          "   "};
  for (const std::string& text : texts) {
    const Outcome r = Run({"--batch", "--folder", "4=" + text, "--create-folder", "4"});
    EXPECT_TRUE(r.status == 0 || r.status == 1) << text.substr(0, 40) << ": " << r.status << r.err;
  }
  EXPECT_FALSE(fs::exists(drives_ / "q:"));
}

TEST_F(AppE2eTest, BadUsageIsExitTwoWithOneLine) {
  const std::vector<std::vector<std::string>> cases = {
      {"--batch", "--bogus"}, {"--batch", "--step", "9"},          {"--batch", "--station", "x"},
      {"--radio", "R"},       {"--batch", "--package", "3=maybe"}, {"--batch", "--engine", "7"},
  };
  for (const auto& args : cases) {
    const Outcome r = Run(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  }
  EXPECT_FALSE(fs::exists(C("Brennic")));
}

TEST_F(AppE2eTest, HelpAndVersion) {
  Outcome r = Run({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("--create-database"), std::string::npos);
  r = Run({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("tx3_setup ")) << r.out;
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);
}

TEST_F(AppE2eTest, WithoutDisplayTheWindowSuggestsBatch) {
  const Outcome r = Run({});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("--batch"), std::string::npos);
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

}  // namespace
