// tx3_setup.com --batch on Windows, end to end: the settings files are the bytes the Linux program
// writes for the same fields, a second run rewrites nothing, the exit statuses are the same, and
// the database command goes through the engine library (there is no built-in engine on Windows).
#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/temp_folder.h"
#include "support/test_files.h"
#include "windows_program.h"

namespace tx3::e2e {
namespace {

using ::testing::HasSubstr;

const std::string kReference = testing::TestDataFile("settings/data/");

// The installation the reference files describe: radio "Radio Pêche", stations "Été" and
// "Nuit", the window's default folders.
const std::vector<std::string> kReferenceFields = {
    "--batch", "--radio", "Radio Pêche", "--station", "1=Été", "--station", "2=Nuit"};

class WindowsBatchTest : public ::testing::Test {
 protected:
  // Every test starts from a workstation without an installation.
  void SetUp() override {
    for (const char* folder :
         {"C:\\Brennic", "C:\\Kalvet", "C:\\TX_Sons", "C:\\TX_Data", "C:\\TX_Redist"}) {
      RemoveTree(folder);
    }
  }
  void TearDown() override { SetUp(); }

  const platform::win32::TempFolder temp_;  // what the runs write besides the installation

  static ProgramRun Run(std::vector<std::string> args,
                        const std::vector<std::string>& environment = {}) {
    std::vector<std::string> all = kReferenceFields;
    all.insert(all.end(), args.begin(), args.end());
    return RunSetup(all, environment);
  }
};

TEST_F(WindowsBatchTest, ThreeStepsWriteTheLinuxBytesAndASecondRunRewritesNothing) {
  const ProgramRun first = Run({"--step", "1", "--step", "2", "--step", "3"});
  ASSERT_EQ(first.status, 0) << first.out << first.err;
  EXPECT_EQ(first.out,
            "[information]\nDossiers créés\n\n[information]\nParamétrage créé ou MAJ\n\n"
            "[information]\nParamétrage créé ou MAJ\n\n");
  struct File {
    const char* written;
    const char* reference;
  };
  const File files[] = {
      {"C:\\Brennic\\Tarvox\\Config\\BR_Mus.ini", "BR_Mus.ini"},
      {"C:\\Brennic\\Tarvox\\Config\\BR_Pub.ini", "BR_Pub.ini"},
      {"C:\\Brennic\\Tarvox\\Config\\Br_Sys.ini", "Br_Sys.ini"},
      {"C:\\Brennic\\Tarvox\\Config\\TX3_Systeme.ini", "TX3_Systeme.ini"},
      {"C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini", "TX3_Config.ini"},
  };
  std::vector<std::string> before;
  for (const File& f : files) {
    before.push_back(ReadFileBytes(f.written));
    EXPECT_EQ(before.back(), ReadFileBytes(kReference + f.reference)) << f.written;
  }

  // Nothing to add: no file is replaced (a replacement would give the file a new identity).
  const ProgramRun second = Run({"--step", "1", "--step", "2", "--step", "3"});
  EXPECT_EQ(second.status, 0) << second.out;
  EXPECT_EQ(second.out, first.out);
  for (size_t i = 0; i < std::size(files); ++i) {
    EXPECT_EQ(ReadFileBytes(files[i].written), before[i]) << files[i].written;
  }
}

// The answers saved by one run replay the same installation; a faulty answer file stops the run.
TEST_F(WindowsBatchTest, SavedAnswersReplayTheInstallation) {
  const std::string answers = temp_.path() + "\\poste.ini";
  // No installation to capture: the answers are saved all the same, with a warning (status 4).
  ASSERT_EQ(Run({"--save-answers", answers}).status, 4);
  EXPECT_THAT(ReadFileBytes(answers), HasSubstr("\r\nRadio=Radio Pêche\r\nStation1=Été\r\n"));
  EXPECT_FALSE(FileExists("C:\\Brennic"));
  const ProgramRun replay =
      RunSetup({"--batch", "--answers", answers, "--step", "1", "--step", "2", "--step", "3"});
  EXPECT_EQ(replay.status, 0) << replay.out << replay.err;
  EXPECT_EQ(ReadFileBytes("C:\\Brennic\\Tarvox\\Config\\TX3_Systeme.ini"),
            ReadFileBytes(kReference + "TX3_Systeme.ini"));
  RemoveTree(answers);
  EXPECT_EQ(RunSetup({"--batch", "--answers", answers}).status, 2);
}

TEST_F(WindowsBatchTest, ExitStatusesAreTheLinuxOnes) {
  EXPECT_EQ(RunSetup({"--batch", "--bogus"}).status, 2);
  EXPECT_EQ(RunSetup({"--help"}).status, 0);
  const ProgramRun version = RunSetup({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_THAT(version.out, HasSubstr("tx3_setup "));
  // A warning (no "\Config" in the configuration folder), everything done: status 4.
  EXPECT_EQ(RunSetup({"--batch", "--folder", "1=C:\\TX_Data\\Cfg\\", "--step", "1"}).status, 4);
}

TEST_F(WindowsBatchTest, DatabaseGoesThroughTheEngineLibrary) {
  const std::string log = temp_.path() + "\\engine_calls.txt";
  const ProgramRun run =
      Run({"--step", "1", "--create-database"},
          {"TX3_BTRIEVE_LIBRARY=" + testing::TestEngineLibrary(), "TX3_TEST_ENGINE_LOG=" + log});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_THAT(run.out, HasSubstr("[information]\nFichiers créés à vide\n"));
  const std::string calls = ReadFileBytes(log);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), '\n'), 50) << calls;
  // Create (14), key number 0, the Windows path as typed.
  EXPECT_THAT(calls, HasSubstr("14|0|27|C:\\TX_Data\\Data\\FRAD000.bt6\n"));
}

TEST_F(WindowsBatchTest, WithoutEngineLibraryTheDatabaseCommandSaysSo) {
  const ProgramRun run =
      Run({"--create-database"}, {"TX3_BTRIEVE_LIBRARY=C:\\Nowhere\\w64btrv.dll"});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.out, HasSubstr("[critical]\nMoteur de base de données introuvable:\n"));
}

}  // namespace
}  // namespace tx3::e2e
