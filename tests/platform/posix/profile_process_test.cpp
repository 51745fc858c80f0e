// The profile engine against real processes: writers killed at any instant, and two writers at
// once. The writer is the helper program built beside this test.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/profile_store.h"
#include "profile_test_folder.h"
#include "support/test_files.h"

extern char** environ;

namespace tx3::platform::posix {
namespace {

// Starts the writer; with `out`, its stdout goes to a pipe whose read end *out receives.
pid_t StartWriter(const std::vector<std::string>& args, int* out = nullptr) {
  std::vector<std::string> all{tx3::testing::ProfileWriterProgram()};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  int fds[2] = {-1, -1};
  if (out != nullptr) {
    if (::pipe(fds) != 0) return -1;
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
  }
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  if (out != nullptr) {
    ::close(fds[1]);
    *out = fds[0];
  }
  return pid;
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

// The keys of a file the cycling writer built, or a failure when any byte is out of place.
::testing::AssertionResult ParseCycleFile(const std::string& bytes,
                                          std::map<std::string, std::string>* keys) {
  static const std::regex kLine("k[0-9]{2}=[0-9]+\\.[0-9]+");
  keys->clear();
  if (bytes.empty()) return ::testing::AssertionSuccess();
  if (!bytes.starts_with("[S]\r\n")) return ::testing::AssertionFailure() << "header: " << bytes;
  size_t pos = 5;
  while (pos < bytes.size()) {
    const size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) return ::testing::AssertionFailure() << "torn end: " << bytes;
    const std::string line = bytes.substr(pos, end - pos);
    if (!std::regex_match(line, kLine)) return ::testing::AssertionFailure() << "line: " << line;
    if (!keys->emplace(line.substr(0, 3), line.substr(4)).second) {
      return ::testing::AssertionFailure() << "duplicate: " << line;
    }
    pos = end + 2;
  }
  return ::testing::AssertionSuccess();
}

size_t TempCount(const ProfileTestFolder& folder) {
  size_t count = 0;
  for (const std::string& name : folder.Names()) count += name.starts_with(".~tx3");
  return count;
}

TEST(ProfileProcess, AKilledWriterLeavesTheOldFileOrTheNew) {
  ProfileTestFolder folder;
  const std::string ini = folder.File("crash.ini");
  std::mt19937 random(12345);
  std::map<std::string, std::string> before;
  std::map<std::string, std::string> after;
  int advanced = 0;
  for (int generation = 1; generation <= 200; ++generation) {
    int out = -1;
    const pid_t pid = StartWriter({"cycle", ini, std::to_string(generation)}, &out);
    ASSERT_GT(pid, 0);
    char ready = 0;
    ASSERT_EQ(::read(out, &ready, 1), 1) << "the writer failed before its first write";
    ::close(out);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
    ::kill(pid, SIGKILL);
    const int status = WaitFor(pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;

    ASSERT_TRUE(ParseCycleFile(ProfileTestFolder::Bytes(ini), &after))
        << "generation " << generation;
    const std::string ours = std::to_string(generation) + ".";
    for (const auto& [key, value] : after) {
      const auto old = before.find(key);
      EXPECT_TRUE(value.starts_with(ours) || (old != before.end() && old->second == value))
          << key << "=" << value;
    }
    EXPECT_GE(after.size(), before.size());
    advanced += after != before;
    // A writer clears the orphans of earlier ones: at most the one it was writing remains.
    EXPECT_LE(TempCount(folder), 1u);
    before = after;
  }
  EXPECT_GT(advanced, 150) << "the kills should land while the writer is writing";
  std::string value;
  SystemProfiles().Read(ini, "S", "k00", "missing", &value);
  EXPECT_EQ(value, before["k00"]);
}

TEST(ProfileProcess, TwoWritersAtOnceLoseNoKey) {
  ProfileTestFolder folder;
  const std::string ini = folder.File("both.ini");
  const pid_t a = StartWriter({"keys", ini, "a", "500"});
  const pid_t b = StartWriter({"keys", ini, "b", "500"});
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  EXPECT_EQ(WaitFor(a), 0);
  EXPECT_EQ(WaitFor(b), 0);
  int missing = 0;
  for (const char* prefix : {"a", "b"}) {
    for (int i = 0; i < 500; ++i) {
      std::string value;
      SystemProfiles().Read(ini, "S", prefix + std::to_string(i), "missing", &value);
      missing += value != std::to_string(i);
    }
  }
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"both.ini"}) << "no lock or temp file left";
}

}  // namespace
}  // namespace tx3::platform::posix
