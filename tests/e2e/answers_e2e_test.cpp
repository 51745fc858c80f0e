// Answer files end to end: a workstation's answers replayed on a new drive folder give the same
// files; a faulty answer file changes nothing; the update server of a run.
#include <gmock/gmock.h>
#include <sys/stat.h>
#include <time.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using tx3::e2e::ReadAll;
using tx3::e2e::WriteAll;
using Outcome = tx3::e2e::ProgramRun;

class AnswersE2eTest : public tx3::e2e::E2eTest {
 protected:
  // Every entry under a drive folder, by its path there, with the bytes of the files.
  static std::map<std::string, std::string> Files(const fs::path& drives) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(drives)) {
      files[fs::relative(e.path(), drives).string()] =
          e.is_regular_file() ? ReadAll(e.path()) : "(folder)";
    }
    return files;
  }

  // The answer file, outside the drive folder.
  std::string AnswerPath() const { return (root_ / "poste.ini").string(); }
};

// A finished workstation (five stations, the rows the read-back restores on D:) is captured by a
// run of its own, then replayed with the three steps on a new drive folder.
TEST_F(AnswersE2eTest, ACapturedWorkstationReplaysToTheSameFiles) {
  fs::create_directories(drives_ / "d:");
  std::vector<std::string> install = {"--batch", "--radio", "Radio Été"};
  const char* stations[] = {"Un", "Deux", "Trois", "Quatre", "Cinq é"};
  for (int i = 0; i < 5; ++i) {
    install.insert(install.end(), {"--station", std::to_string(i + 1) + "=" + stations[i]});
  }
  for (const char* row : {"1=D:\\Radio\\Config\\", "4=D:\\Radio\\Musique\\",
                          "5=D:\\Radio\\Jingles\\", "6=D:\\Radio\\Data\\", "7=D:\\Redist\\"}) {
    install.insert(install.end(), {"--folder", row});
  }
  install.insert(install.end(), {"--step", "1", "--step", "2", "--step", "3"});
  const Outcome first = Run(install);
  ASSERT_EQ(first.status, 0) << first.out << first.err;
  const std::string answers = AnswerPath();
  ASSERT_EQ(Run({"--batch", "--save-answers", answers}).status, 0);
  const std::string saved = ReadAll(answers);
  EXPECT_THAT(saved, HasSubstr("\r\nRadio=Radio Été\r\nStation1=Un\r\n"));
  EXPECT_THAT(saved, HasSubstr("\r\nStation5=Cinq é\r\nFolder0=C:\\Brennic\\Tarvox\\\r\n"));
  EXPECT_THAT(saved, HasSubstr("\r\nFolder6=D:\\Radio\\Data\\\r\nFolder7=D:\\Redist\\\r\n"));

  const fs::path installed = root_ / "installed";
  fs::rename(drives_, installed);
  fs::create_directories(drives_ / "c:");
  fs::create_directories(drives_ / "d:");
  const Outcome replay =
      Run({"--batch", "--answers", answers, "--step", "1", "--step", "2", "--step", "3"});
  EXPECT_EQ(replay.status, 0) << replay.out << replay.err;
  EXPECT_EQ(replay.out, first.out);
  EXPECT_EQ(Files(drives_), Files(installed));
}

TEST_F(AnswersE2eTest, AFaultyAnswerFileExitsTwoAndChangesNothing) {
  const std::string answers = AnswerPath();
  WriteAll(answers, "; poste\r\n[Fields]\r\nRadio=Radio Nord\r\nPackage18=on\r\n");
  const auto before = Files(drives_);
  const Outcome r = Run({"--batch", "--answers", answers, "--step", "1", "--step", "2",
                         "--save-answers", (root_ / "out.ini").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "tx3_setup: " + answers + ":4: Package18: no component row 18 (0 to 17)\n");
  EXPECT_EQ(Files(drives_), before);
  EXPECT_FALSE(fs::exists(root_ / "out.ini"));
}

// Step 7 hands the addresses of the ticked packages (rows 0 and 17) to the shell's opener, which
// records each in a file of its own.
TEST_F(AnswersE2eTest, UpdateServerOfARunFromTheEnvironmentOrTheAnswerFile) {
  const fs::path opener = root_ / "opener.sh";
  const std::string opened = (root_ / "opened").string();
  WriteAll(opener, "#!/bin/sh\nprintf '%s' \"$1\" > \"" + opened + "/.$$\"\nmv \"" + opened +
                       "/.$$\" \"" + opened + "/$$\"\n");
  ASSERT_EQ(::chmod(opener.c_str(), 0755), 0);
  const std::string warning =
      "tx3_setup: warning: TX3_UPDATE_HOST \"miroir radio\" is not a host name; the update "
      "server stays ";
  struct {
    const char* environment;
    const char* answerLine;
    const char* host;  // empty: the build's, which the warning names
  } const cases[] = {
      {"miroir.radio.example", "", "miroir.radio.example"},
      {"miroir.radio.example", "UpdateHost=fichier.radio.example\r\n", "fichier.radio.example"},
      {"miroir radio", "", ""},
  };
  for (const auto& c : cases) {
    std::string answers = "[Fields]\r\n";
    for (int row = 1; row < 17; ++row) answers += "Package" + std::to_string(row) + "=off\r\n";
    WriteAll(AnswerPath(), answers + c.answerLine);
    fs::remove_all(opened);
    fs::create_directories(opened);
    const Outcome r = Run(
        {"--batch", "--answers", AnswerPath(), "--step", "7"},
        {"TX3_SHELL_OPENER=" + opener.string(), std::string("TX3_UPDATE_HOST=") + c.environment});
    std::string host = c.host;
    if (host.empty()) {
      EXPECT_EQ(r.status, 4);
      ASSERT_TRUE(r.err.starts_with(warning) && r.err.ends_with("\n")) << r.err;
      host = r.err.substr(warning.size(), r.err.size() - warning.size() - 1);
      EXPECT_EQ(host.find("miroir"), std::string::npos);
    } else {
      EXPECT_EQ(r.status, 0) << r.out << r.err;
      EXPECT_EQ(r.err, "");
    }
    // The opener may still be running when the program ends.
    std::set<std::string> addresses;
    for (int wait = 0; wait < 1000 && addresses.size() < 2; ++wait) {
      const timespec pause{0, 10000000};
      ::nanosleep(&pause, nullptr);
      addresses.clear();
      for (const auto& e : fs::directory_iterator(opened)) {
        if (e.path().filename().string()[0] != '.') addresses.insert(ReadAll(e.path()));
      }
    }
    const std::string base = "https://" + host + "/TX/Releases/TX_34/";
    EXPECT_EQ(addresses,
              (std::set<std::string>{base + "TX3_Library.zip", base + "TX3_Tools_Web.zip"}))
        << c.environment;
  }
}

}  // namespace
