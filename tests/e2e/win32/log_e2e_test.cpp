// Where tx3_setup.com writes its log: the account's profile, ProgramData for SYSTEM and for the
// accounts without a profile of their own, or the file --log names; and the one line that says
// when it cannot.
#include <gmock/gmock.h>
#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/temp_folder.h"
#include "platform/win32/wide_text.h"
#include "windows_program.h"

namespace tx3::e2e {
namespace {

using ::testing::HasSubstr;

// An engine library that cannot be loaded is an error the run reports to its log.
std::vector<std::string> LoggedRunArgs() {
  return {"--batch", "--create-database", "--engine-library", ProgramFolder() + "\\absent.dll"};
}
constexpr const char* kLogged = "Engine library not loaded: ";

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override { RemoveInstallation(); }

  // LoggedRunArgs() with `extra` arguments, TX3_LOG_FILE unset, and `environment`.
  static ProgramRun LoggedRun(const std::vector<std::string>& extra,
                              std::vector<std::string> environment) {
    std::vector<std::string> args = LoggedRunArgs();
    args.insert(args.end(), extra.begin(), extra.end());
    environment.emplace_back("TX3_LOG_FILE=");
    return RunSetup(args, environment);
  }

  const platform::win32::TempFolder temp_;
  const std::string root_ = temp_.path() + "\\log test";
  // SYSTEM's profile folder as a 64-bit program sees it, moved into the test's folder.
  const std::string systemProfile_ =
      root_ + "\\Windows\\System32\\config\\systemprofile\\AppData\\Local";
  const std::string programData_ = root_ + "\\ProgramData";
  const std::string inProgramData_ = programData_ + "\\Tarvox\\TX3_Setup\\Logs\\TX3_Setup.log";
};

TEST_F(LogTest, AnOperatorsLogIsInTheProfile) {
  const std::string local = root_ + "\\Users\\op\\AppData\\Local";
  const ProgramRun run = LoggedRun({}, {"LOCALAPPDATA=" + local, "ProgramData=" + programData_});
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_THAT(ReadFileBytes(local + "\\TX3_Setup\\TX3_Setup.log"), HasSubstr(kLogged));
  EXPECT_FALSE(FileExists(inProgramData_));
}

TEST_F(LogTest, SystemsLogIsInProgramData) {
  for (const std::vector<std::string>& environment : std::vector<std::vector<std::string>>{
           {"LOCALAPPDATA=" + systemProfile_, "ProgramData=" + programData_},
           {"LOCALAPPDATA=", "ProgramData=" + programData_}}) {
    const ProgramRun run = LoggedRun({}, environment);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_THAT(ReadFileBytes(inProgramData_), HasSubstr(kLogged)) << environment[0];
    EXPECT_FALSE(FileExists(systemProfile_ + "\\TX3_Setup")) << environment[0];
    EXPECT_EQ(run.err, "") << environment[0];
    RemoveTree(root_);
  }
}

// Without ProgramData in the environment, the system's known folder serves.
TEST_F(LogTest, ProgramDataFromTheKnownFolder) {
  PWSTR known = nullptr;
  // FOLDERID_ProgramData.
  constexpr KNOWNFOLDERID kProgramData = {
      0x62AB5D82, 0xFDC1, 0x4DC3, {0xA9, 0xDD, 0x07, 0x0D, 0x1D, 0x49, 0x5D, 0x97}};
  ASSERT_TRUE(SUCCEEDED(::SHGetKnownFolderPath(kProgramData, 0, nullptr, &known)));
  const std::string folder = platform::win32::Narrow(known) + "\\Tarvox";
  ::CoTaskMemFree(known);
  RemoveTree(folder);
  const ProgramRun run = LoggedRun({}, {"LOCALAPPDATA=" + systemProfile_, "ProgramData="});
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_THAT(ReadFileBytes(folder + "\\TX3_Setup\\Logs\\TX3_Setup.log"), HasSubstr(kLogged));
  RemoveTree(folder);
}

TEST_F(LogTest, TheLogLandsWhereLogNamesIt) {
  const std::string named = root_ + "\\Journaux du poste\\poste.log";
  const ProgramRun run =
      LoggedRun({"--log", named}, {"LOCALAPPDATA=" + systemProfile_, "ProgramData=" + programData_,
                                   "TX3_LOG_FILE=" + root_ + "\\variable.log"});
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  const std::string log = ReadFileBytes(named);
  EXPECT_THAT(log, HasSubstr(kLogged));
  EXPECT_TRUE(log.ends_with("\r\n")) << log;
  EXPECT_FALSE(FileExists(inProgramData_));
  EXPECT_FALSE(FileExists(root_ + "\\variable.log")) << "--log wins over TX3_LOG_FILE";
}

// The run goes on and ends as it would with a log; one line says, once, that it has none.
TEST_F(LogTest, AnUnopenableLogIsSaidOnceAndTheRunGoesOn) {
  ASSERT_TRUE(::CreateDirectoryW(platform::win32::Widen(root_).c_str(), nullptr));
  WriteFileBytes(root_ + "\\a file", "not a folder");
  const std::string log = root_ + "\\a file\\TX3_Setup.log";
  const ProgramRun run = LoggedRun({"--log", log}, {});
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_EQ(run.err, "tx3_setup: le journal ne peut pas être ouvert : " + log +
                         " (cette exécution n'est pas journalisée)\n");
}

}  // namespace
}  // namespace tx3::e2e
