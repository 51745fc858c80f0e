// Steps 2 and 3 against other processes: the program killed at any instant of its run, two
// programs on one folder at once, and an operator's own writes landing during a run.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "../support/kill_outcome.h"
#include "platform/posix/profile_store.h"
#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using tx3::e2e::IsTemporaryFile;
using tx3::e2e::ReadAll;
using tx3::e2e::TreeOf;
using tx3::e2e::WriteAll;

constexpr const char* kMissing = "<missing>";
const std::vector<std::string> kSettingsFiles = {
    "Brennic/Tarvox/Settings/TX3_Config.ini", "Brennic/Tarvox/Config/Br_Sys.ini",
    "Brennic/Tarvox/Config/TX3_Systeme.ini", "Brennic/Tarvox/Config/BR_Mus.ini",
    "Brennic/Tarvox/Config/BR_Pub.ini"};

class SettingsProcessesE2eTest : public tx3::e2e::E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    ASSERT_EQ(Run({"--batch", "--step", "1"}).status, 0);
  }

  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const std::string& file : kSettingsFiles) {
      files[file] = fs::exists(C(file)) ? ReadAll(C(file)) : kMissing;
    }
    return files;
  }

  void RemoveSettingsFiles() const {
    for (const std::string& file : kSettingsFiles) fs::remove(C(file));
  }

  // What killed writers may leave: their temporary files.
  int Leftovers() const {
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(drives_)) {
      count += IsTemporaryFile(entry.path().string());
    }
    return count;
  }
};

// The whole installation killed at random instants of its run: each file is as before or as a
// finished run leaves it, what a killed writer leaves is removed by the next one, and a run
// after the kills completes everything.
TEST_F(SettingsProcessesE2eTest, KilledAtAnyInstantEachFileIsAsBeforeOrFinished) {
  const std::vector<std::string> all = {"--batch", "--step", "1", "--step",
                                        "2",       "--step", "3", "--create-database"};
  const fs::path c = C("");
  fs::remove_all(c);
  fs::create_directories(c);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Run(all).status, 0);
  const auto duration = std::chrono::steady_clock::now() - start;
  const std::map<std::string, std::string> finished = TreeOf(c);

  const int kills = tx3::test::KillCount(100);
  const tx3::test::KillSoak soak{[&](std::chrono::steady_clock::duration wait) {
                                   const pid_t pid = Start(all);
                                   if (pid <= 0) return false;
                                   std::this_thread::sleep_for(wait);
                                   ::kill(pid, SIGKILL);
                                   Wait(pid);
                                   return true;
                                 },
                                 [&] { return TreeOf(c); },
                                 [&] {
                                   fs::remove_all(c);
                                   fs::create_directories(c);
                                 },
                                 [](const std::string& path) { return IsTemporaryFile(path); }};
  const auto [landedWhileWriting, mostLeftovers] =
      tx3::test::RunKillSoak(soak, kills, duration, finished);
  ASSERT_FALSE(HasFailure());
  std::cout << kills << " kills, " << landedWhileWriting
            << " while files were being written, at most " << mostLeftovers
            << " temporary file(s) left at once\n";
  EXPECT_GT(landedWhileWriting, 0) << "no kill landed between two files";
  // Only what the dead process was writing: the one before it was removed by this one.
  EXPECT_LE(mostLeftovers, 2u);

  ASSERT_EQ(Run(all).status, 0);
  std::map<std::string, std::string> rerun = TreeOf(c);
  EXPECT_EQ(rerun, finished) << "a run after the kills completes everything";
}

TEST_F(SettingsProcessesE2eTest, TwoProgramsAndAnOperatorAtOnceLoseNothing) {
  const std::vector<std::string> steps = {"--batch", "--step", "2", "--step", "3"};
  const std::string operatorStart = "[Operateur]\r\nCle=x\r\n";
  const fs::path brSys = C("Brennic/Tarvox/Config/Br_Sys.ini");
  WriteAll(brSys, operatorStart);
  ASSERT_EQ(Run(steps).status, 0);
  const std::map<std::string, std::string> single = Files();
  RemoveSettingsFiles();
  WriteAll(brSys, operatorStart);

  const pid_t a = Start(steps);
  const pid_t b = Start(steps);
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  // The operator writes until both programs have ended, so that the writes cross theirs.
  std::string operatorKeys;
  std::map<pid_t, int> statuses;
  for (int i = 0; statuses.size() < 2 || i < 20; ++i) {
    const std::string key = "Cle_" + std::to_string(i);
    EXPECT_TRUE(tx3::platform::posix::SystemProfiles().Write(brSys, "Operateur", key, "v"));
    operatorKeys += key + "=v\r\n";
    for (const pid_t pid : {a, b}) {
      int status = 0;
      if (!statuses.contains(pid) && ::waitpid(pid, &status, WNOHANG) == pid)
        statuses[pid] = status;
    }
  }
  EXPECT_EQ(statuses[a], 0);
  EXPECT_EQ(statuses[b], 0);

  std::map<std::string, std::string> expected = single;
  std::string& sys = expected.at("Brennic/Tarvox/Config/Br_Sys.ini");
  sys.insert(operatorStart.size(), operatorKeys);
  EXPECT_EQ(Files(), expected);
  EXPECT_EQ(Leftovers(), 0);
}

}  // namespace
