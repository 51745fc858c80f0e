// Steps 2 and 3 against other processes: the program killed at any instant of its run, two
// programs on one folder at once, and an operator's own writes landing during a run.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/profile_store.h"
#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using tx3::e2e::ReadAll;
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
      count += entry.path().filename().string().starts_with(".~tx3");
    }
    return count;
  }
};

TEST_F(SettingsProcessesE2eTest, KilledAtAnyInstantEachFileIsAsBeforeOrFinished) {
  const std::vector<std::string> steps = {"--batch", "--step", "2", "--step", "3"};
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Run(steps).status, 0);
  const auto duration = std::chrono::steady_clock::now() - start;
  const std::map<std::string, std::string> finished = Files();
  RemoveSettingsFiles();

  std::mt19937 random(2026);
  std::map<std::string, std::string> before = Files();
  int landed = 0;
  for (int kill = 0; kill < 40; ++kill) {
    const pid_t pid = Start(steps);
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(duration * (random() % 1000) / 1000);
    ::kill(pid, SIGKILL);
    Wait(pid);
    const std::map<std::string, std::string> after = Files();
    for (const std::string& file : kSettingsFiles) {
      EXPECT_TRUE(after.at(file) == before.at(file) || after.at(file) == finished.at(file))
          << file << " after kill " << kill;
    }
    landed += after != before && after != finished;
    if (after == finished) RemoveSettingsFiles();
    before = Files();
  }
  EXPECT_GT(landed, 0) << "no kill landed between two files";

  ASSERT_EQ(Run(steps).status, 0);
  EXPECT_EQ(Files(), finished) << "a run after the kills completes everything";
  EXPECT_EQ(Leftovers(), 0);
}

TEST_F(SettingsProcessesE2eTest, TwoProgramsAndAnOperatorAtOnceLoseNothing) {
  const std::vector<std::string> step3 = {"--batch", "--step", "3"};
  const std::string operatorStart = "[Operateur]\r\nCle=x\r\n";
  const fs::path brSys = C("Brennic/Tarvox/Config/Br_Sys.ini");
  WriteAll(brSys, operatorStart);
  ASSERT_EQ(Run(step3).status, 0);
  const std::map<std::string, std::string> single = Files();
  RemoveSettingsFiles();
  WriteAll(brSys, operatorStart);

  const pid_t a = Start(step3);
  const pid_t b = Start(step3);
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  // The operator writes until both programs have ended, so that the writes cross theirs.
  std::string operatorKeys;
  std::map<pid_t, int> statuses;
  for (int i = 0; statuses.size() < 2 || i < 20; ++i) {
    const std::string key = "Cle_" + std::to_string(i);
    EXPECT_TRUE(tx3::platform::posix::WriteProfileString(brSys, "Operateur", key, "v"));
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
