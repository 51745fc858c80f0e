// Runs the real tx3_setup for the end-to-end tests, on a temporary installation: drive folder,
// home, XDG folders and log file all inside one temporary folder, so nothing is written outside.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tx3::e2e {

namespace fs = std::filesystem;

// The status of a program killed for running past its deadline.
inline constexpr int kHung = 1000;

struct ProgramRun {
  int status = -1;  // exit status, 128 + signal when killed, kHung, -1 when it could not start
  std::string out;
  std::string err;
};

std::string ReadAll(const fs::path& file);
void WriteAll(const fs::path& file, const std::string& bytes);

// Every entry under a folder, by relative path: a file's bytes, or kFolderEntry for a folder.
inline constexpr const char* kFolderEntry = "<folder>";
std::map<std::string, std::string> TreeOf(const fs::path& folder);
// Whether an entry is a temporary file of a replacement.
bool IsTemporaryFile(const std::string& path);

class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A path under the emulated drive C:.
  fs::path C(const std::string& rest) const { return drives_ / "c:" / rest; }

  // Runs tx3_setup with `args` and no display, through `launcher_` when one is set, killing it
  // past `deadline_`. The environment is clean (the sanitizers' options are kept) plus the
  // `extraEnv` entries "NAME=value".
  ProgramRun Run(const std::vector<std::string>& args,
                 const std::vector<std::string>& extraEnv = {}) const;
  // Starts tx3_setup as Run does without waiting for it (its output goes to files of its own);
  // -1 when it cannot start.
  pid_t Start(const std::vector<std::string>& args,
              const std::vector<std::string>& extraEnv = {}) const;
  // The exit status of a started program, 128 + signal when killed.
  static int Wait(pid_t pid);
  // The same, or kHung once the program has been killed for running past `deadline`.
  static int WaitAtMost(pid_t pid, std::chrono::seconds deadline);

  fs::path root_;
  fs::path drives_;
  std::vector<std::string> launcher_;  // a command the program runs under, e.g. setpriv
  std::chrono::seconds deadline_{300};

 private:
  pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv,
              const fs::path& out, const fs::path& err) const;
  mutable int started_ = 0;
};

}  // namespace tx3::e2e
