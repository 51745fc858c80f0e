#include "program_run.h"
#include "support/test_files.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace tx3::e2e {

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

std::map<std::string, std::string> TreeOf(const fs::path& folder) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string& state = tree[entry.path().lexically_relative(folder).string()];
    // A link, a FIFO or a device is described, never read: reading one may never end.
    if (entry.is_symlink()) {
      state = "<link to " + fs::read_symlink(entry.path()).string() + ">";
    } else if (entry.is_directory()) {
      state = kFolderEntry;
    } else if (entry.is_regular_file()) {
      state = ReadAll(entry.path());
    } else {
      state = "<special file>";
    }
  }
  return tree;
}

bool IsTemporaryFile(const std::string& path) {
  const std::string name = fs::path(path).filename().string();
  return name.starts_with(".~tx3") || name.find(".tx3new.") != std::string::npos;
}

void E2eTest::SetUp() {
  std::string pattern = (fs::temp_directory_path() / "tx3_e2e_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  root_ = pattern;
  drives_ = root_ / "drives";
  fs::create_directories(drives_ / "c:");
}

void E2eTest::TearDown() {
  fs::remove_all(root_);
}

pid_t E2eTest::Spawn(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv,
                     const fs::path& out, const fs::path& err) const {
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
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<std::string> argv = launcher_;
  argv.push_back(tx3::testing::SetupProgram());
  argv.insert(argv.end(), args.begin(), args.end());

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

  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? pid : -1;
}

namespace {

// An exit status as the tests see it: the program's own, or 128 + the signal that killed it.
int StatusOf(int wstatus) {
  return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
}

}  // namespace

int E2eTest::Wait(pid_t pid) {
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  return StatusOf(wstatus);
}

int E2eTest::WaitAtMost(pid_t pid, std::chrono::seconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  int wstatus = 0;
  while (true) {
    const pid_t ended = waitpid(pid, &wstatus, WNOHANG);
    if (ended == pid) break;
    if (ended < 0 && errno != EINTR) return -1;
    if (std::chrono::steady_clock::now() >= end) {
      ::kill(pid, SIGKILL);
      Wait(pid);
      return kHung;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return StatusOf(wstatus);
}

pid_t E2eTest::Start(const std::vector<std::string>& args,
                     const std::vector<std::string>& extraEnv) const {
  const std::string n = std::to_string(++started_);
  return Spawn(args, extraEnv, root_ / ("stdout." + n + ".txt"), root_ / ("stderr." + n + ".txt"));
}

ProgramRun E2eTest::Run(const std::vector<std::string>& args,
                        const std::vector<std::string>& extraEnv) const {
  const fs::path out = root_ / "stdout.txt";
  const fs::path err = root_ / "stderr.txt";
  ProgramRun run;
  const pid_t pid = Spawn(args, extraEnv, out, err);
  if (pid < 0) return run;
  run.status = WaitAtMost(pid, deadline_);
  run.out = ReadAll(out);
  run.err = ReadAll(err);
  return run;
}

}  // namespace tx3::e2e
