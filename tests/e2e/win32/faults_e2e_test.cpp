// tx3_setup.com against what Windows workstations do to it: killed at any instant of a whole
// installation, and a settings file held open by another program while step 3 writes it.
#include <gmock/gmock.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "../../support/kill_outcome.h"
#include "platform/win32/temp_folder.h"
#include "platform/win32/wide_text.h"
#include "support/test_files.h"
#include "windows_program.h"

namespace tx3::e2e {
namespace {

using ::testing::HasSubstr;
using Tree = std::map<std::string, std::string>;

const std::string kConfig = "C:\\Brennic\\Tarvox\\Config\\";

class WindowsFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveInstallation(); }
  void TearDown() override { RemoveInstallation(); }

  // The stand-in engine serves the database command; the log file stays out of the installation.
  const platform::win32::TempFolder temp_;
  const std::string log_ = temp_.path() + "\\faults.log";
  const ScopedEnvironment environment_{{"TX3_BTRIEVE_LIBRARY=" + testing::TestEngineLibrary(),
                                        "TX3_TEST_ENGINE_LOG=", "TX3_LOG_FILE=" + log_}};
};

// A tx3_setup.com run that can be killed; its output is thrown away.
class Started {
 public:
  explicit Started(const std::vector<std::string>& args) {
    // Without a console of its own: a console host started for it could outlive the kill.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE nul = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    std::wstring commandLine = SetupCommandLine(args);
    if (::CreateProcessW(SetupProgram().c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                         DETACHED_PROCESS, nullptr, nullptr, &startup, &process_)) {
      ::CloseHandle(process_.hThread);
    }
    ::CloseHandle(nul);
  }
  ~Started() {
    if (started()) {
      ::TerminateProcess(process_.hProcess, 9);
      ::WaitForSingleObject(process_.hProcess, INFINITE);
      ::CloseHandle(process_.hProcess);
    }
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

  bool started() const { return process_.hProcess != nullptr; }

 private:
  PROCESS_INFORMATION process_{};
};

// Each file is as before the kill or as a finished run leaves it; what a killed writer leaves is
// removed by the next one, and a run after the kills completes everything.
TEST_F(WindowsFaultsTest, KilledAtAnyInstantEachFileIsAsBeforeOrFinished) {
  const std::vector<std::string> all = {"--batch", "--step", "1", "--step",
                                        "2",       "--step", "3", "--create-database"};
  // The shorter of two runs: a first one may also wait for Wine's own services to start.
  auto duration = std::chrono::steady_clock::duration::max();
  for (int run = 0; run < 2; ++run) {
    RemoveInstallation();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(RunSetup(all).status, 0);
    duration = std::min(duration, std::chrono::steady_clock::now() - start);
  }
  const Tree finished = InstallationTree();

  const int kills = tx3::test::KillCount(200);
  const tx3::test::KillSoak soak{[&](std::chrono::steady_clock::duration wait) {
                                   const Started run(all);
                                   if (!run.started()) return false;
                                   std::this_thread::sleep_for(wait);
                                   return true;  // killed as `run` goes
                                 },
                                 InstallationTree, RemoveInstallation,
                                 [](const std::string& path) { return IsTemporaryFile(path); }};
  const auto [landedWhileWriting, mostLeftovers] =
      tx3::test::RunKillSoak(soak, kills, duration, finished);
  ASSERT_FALSE(HasFailure());
  std::cout << kills << " kills over " << std::chrono::duration<double>(duration).count()
            << " s runs, " << landedWhileWriting << " while files were being written, at most "
            << mostLeftovers << " temporary file(s) left at once\n";
  EXPECT_GT(landedWhileWriting, 0) << "no kill landed between two files";
  // Only what the dead process was writing: the one before it was removed by this one.
  EXPECT_LE(mostLeftovers, 2u);

  const ProgramRun rerun = RunSetup(all);
  EXPECT_EQ(rerun.status, 0) << rerun.out << rerun.err;
  EXPECT_EQ(InstallationTree(), finished) << "a run after the kills completes everything";
}

// Held as one of the suite's programs or a virus scanner holds it: reading and writing shared,
// deleting (and so replacing) not.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : handle_(::CreateFileW(platform::win32::Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (held()) ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

TEST_F(WindowsFaultsTest, AFileHeldWithoutDeleteSharingIsListedAfterABoundedWait) {
  const std::vector<std::string> step3 = {"--batch", "--step", "3"};
  const std::string held = kConfig + "BR_Mus.ini";
  const std::string operatorText = "[Operateur]\r\nCle=x\r\n";
  // What step 3 leaves when nothing holds the file.
  ASSERT_EQ(RunSetup({"--batch", "--step", "1", "--step", "2"}).status, 0);
  const Tree beforeStep3 = InstallationTree();
  WriteFileBytes(held, operatorText);
  ASSERT_EQ(RunSetup(step3).status, 0);
  const Tree finished = InstallationTree();
  ASSERT_THAT(ReadFileBytes(held), HasSubstr(operatorText));

  RemoveInstallation();
  ASSERT_EQ(RunSetup({"--batch", "--step", "1", "--step", "2"}).status, 0);
  ASSERT_EQ(InstallationTree(), beforeStep3);
  WriteFileBytes(held, operatorText);
  HeldFile holder(held);
  ASSERT_TRUE(holder.held());
  const auto start = std::chrono::steady_clock::now();
  const ProgramRun run = RunSetup(step3);
  const double waited =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  // The held file, and it alone, is listed.
  const std::string heading = "[warning]\nParamètres non écrits:\n\n";
  const size_t listed = run.out.find(heading);
  ASSERT_NE(listed, std::string::npos) << run.out;
  const size_t from = listed + heading.size();
  const std::string files = run.out.substr(from, run.out.find("\n\n", from) - from);
  EXPECT_EQ(files.find('\n'), std::string::npos) << files;
  EXPECT_TRUE(files.starts_with(held + " (") && files.ends_with(" clés)")) << files;
  EXPECT_GE(waited, 1.0) << "the step did not wait for the file";
  EXPECT_LE(waited, 10.0);
  Tree expected = finished;
  expected[held] = operatorText;
  EXPECT_EQ(InstallationTree(), expected) << "only the held file is left as it was";

  holder.Release();
  const ProgramRun rerun = RunSetup(step3);
  EXPECT_EQ(rerun.status, 0) << rerun.out << rerun.err;
  EXPECT_EQ(InstallationTree(), finished);
}

}  // namespace
}  // namespace tx3::e2e
