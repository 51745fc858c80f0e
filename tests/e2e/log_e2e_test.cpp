// The log file and the engine library named on the command line, through the real program.
#include <gmock/gmock.h>

#include <filesystem>
#include <string>
#include <vector>

#include "program_run.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

using Outcome = tx3::e2e::ProgramRun;
using ::testing::HasSubstr;
using tx3::e2e::ReadAll;

class LogE2eTest : public tx3::e2e::E2eTest {
 protected:
  fs::path VariableLog() const { return root_ / "log" / "TX3_Setup.log"; }
};

// A refused folder name is an error the run reports to its log.
const std::vector<std::string> kLoggedRun = {"--batch", "--folder", "2=C:\\a|b"};

TEST_F(LogE2eTest, TheLogLandsWhereTheCommandLineNamesIt) {
  const fs::path named = root_ / "logs du poste" / "run.log";
  std::vector<std::string> args = kLoggedRun;
  args.insert(args.end(), {"--log", named.string()});
  const Outcome r = Run(args);
  EXPECT_EQ(r.status, 1) << r.out << r.err;
  EXPECT_THAT(ReadAll(named), HasSubstr("Err: 52 "));
  EXPECT_FALSE(fs::exists(VariableLog())) << "--log wins over TX3_LOG_FILE";
}

// The run does its work all the same; one line says, once, that it is not logged.
TEST_F(LogE2eTest, AnUnopenableLogIsSaidOnceAndTheRunGoesOn) {
  tx3::e2e::WriteAll(root_ / "a file", "not a folder");
  const std::string log = (root_ / "a file" / "TX3_Setup.log").string();
  const std::string said = "tx3_setup: le journal ne peut pas être ouvert : " + log +
                           " (cette exécution n'est pas journalisée)\n";
  Outcome r = Run({"--batch", "--log", log, "--folder", "4=C:\\Sons\\", "--create-folder", "4"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(r.err, said);
  EXPECT_TRUE(fs::is_directory(C("Sons")));

  // A run with errors to log says it once too, and ends as it would with a log.
  std::vector<std::string> args = kLoggedRun;
  args.insert(args.end(), {"--log", log});
  r = Run(args);
  EXPECT_EQ(r.status, 1) << r.out << r.err;
  EXPECT_EQ(r.err, said);
}

TEST_F(LogE2eTest, TheWindowTakesTheLogFileToo) {
  const fs::path named = root_ / "window.log";
  const Outcome r = Run({"--log", named.string()});
  // No display here: the window cannot open, but the run's log was opened where named.
  EXPECT_EQ(r.status, 1);
  EXPECT_THAT(r.err, HasSubstr("--batch"));
  EXPECT_TRUE(fs::exists(named));
  EXPECT_FALSE(fs::exists(VariableLog()));
}

TEST_F(LogE2eTest, TheEngineLibraryNamedWinsOverTheVariable) {
  const fs::path calls = root_ / "engine.log";
  fs::create_directories(C("TX_Data/Data"));
  const Outcome r = Run({"--batch", "--folder", "6=C:\\TX_Data\\Data\\", "--create-database",
                         "--engine-library", tx3::testing::TestEngineLibrary()},
                        {"TX3_BTRIEVE_LIBRARY=libm.so.6", "TX3_TEST_ENGINE_LOG=" + calls.string()});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_THAT(ReadAll(calls), HasSubstr("/FRAD000.bt6\n"));
}

}  // namespace
