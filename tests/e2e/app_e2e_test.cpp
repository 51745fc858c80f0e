// tx3_setup run as the operator runs it, on a temporary installation (program_run.h).
#include <gmock/gmock.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using tx3::e2e::ReadAll;
using tx3::e2e::WriteAll;
using Outcome = tx3::e2e::ProgramRun;

class AppE2eTest : public tx3::e2e::E2eTest {
 protected:
  // Every path under the drive folder, with the size of each file.
  std::string Snapshot() const {
    std::ostringstream list;
    for (const auto& e : fs::recursive_directory_iterator(drives_)) {
      list << e.path().string() << ' ' << (e.is_regular_file() ? e.file_size() : 0) << '\n';
    }
    return list.str();
  }
};

void WriteInstallation(const fs::path& cDrive) {
  WriteAll(cDrive / "Brennic/Tarvox/Settings/TX3_Config.ini",
           "[Site]\r\nLib=Radio Ouest\r\nDossier_Config_Global=C:\\Conf\r\n");
  WriteAll(cDrive / "Conf/TX3_Systeme.ini",
           "[Base_01]\r\nDossier_Data=C:\\Donnees\\\r\n[Base_01_Station_02]\r\nLib=Ouest 2\r\n");
}

TEST_F(AppE2eTest, StartUpReadsBackAndWritesNothing) {
  WriteInstallation(drives_ / "c:");
  const std::string before = Snapshot();
  const Outcome r = Run({"--batch"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(AppE2eTest, ReadBackFoldersAreTheOnesActedOn) {
  WriteInstallation(drives_ / "c:");
  // Row 1 was read back as C:\Conf (no trailing backslash), which exists.
  Outcome r = Run({"--batch", "--create-folder", "1"});
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.out, "[warning]\nLe dossier existe déjà:\n\nC:\\Conf\n\n");
  // Row 6 came from TX3_Systeme.ini in that folder.
  r = Run({"--batch", "--create-folder", "6"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(fs::is_directory(C("Donnees")));
}

TEST_F(AppE2eTest, ReadBackRadioNameIsWrittenBackByStepTwo) {
  WriteInstallation(drives_ / "c:");
  const Outcome r = Run({"--batch", "--step", "2"});
  // C:\Conf has no "\Config" part: the step warns and does its work, status 4.
  EXPECT_EQ(r.status, 4) << r.out << r.err;
  EXPECT_TRUE(r.out.starts_with("[warning]\n")) << r.out;
  const std::string config = ReadAll(C("Brennic/Tarvox/Settings/TX3_Config.ini"));
  EXPECT_THAT(config, HasSubstr("Lib=Radio Ouest\r\n"));
  EXPECT_THAT(config, Not(HasSubstr("Nom de votre Radio")));
}

TEST_F(AppE2eTest, CreateFolderThenAgain) {
  Outcome r = Run({"--batch", "--create-folder", "3"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(fs::is_directory(C("Kalvet/Pub")));
  r = Run({"--batch", "--create-folder", "3"});
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.out, "[warning]\nLe dossier existe déjà:\n\nC:\\Kalvet\\Pub\\\n\n");
}

TEST_F(AppE2eTest, FieldOptionsApplyBeforeActions) {
  const Outcome r =
      Run({"--batch", "--create-folder", "5", "--folder", "5=C:\\Sons\\Autre\\Jingles"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(fs::is_directory(C("Sons/Autre/Jingles")));
  EXPECT_FALSE(fs::exists(C("TX_Data")));
}

TEST_F(AppE2eTest, DamagedOrHugeSettingsFilesDoNotStopTheStartUp) {
  std::string garbage = "\xff\xfe[Si\0te\r\n=Lib\r\n[[[\n";
  garbage += std::string(2'000'000, 'x');
  WriteAll(C("Brennic/Tarvox/Settings/TX3_Config.ini"), garbage);
  WriteAll(C("Brennic/Tarvox/Config/TX3_Systeme.ini"),
           "[Base_01]\r\nDossier_Data=" + std::string(300000, 'd') + "\r\n\0\0\0");
  const Outcome r = Run({"--batch"});
  EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(AppE2eTest, UnusableFolderFieldsNeverCrash) {
  const std::vector<std::string> texts = {"C:\\Wild*card?\\",
                                          "C:\\Re<fu>sé|\\",
                                          "Q:\\Sans\\Lecteur\\",
                                          "\\\\SRV\\Share\\Radio\\",
                                          "C:\\" + std::string(10000, 'n') + "\\",
                                          "",
                                          "   "};
  for (const std::string& text : texts) {
    const Outcome r = Run({"--batch", "--folder", "4=" + text, "--create-folder", "4"});
    EXPECT_TRUE(r.status == 0 || r.status == 1) << text.substr(0, 40) << ": " << r.status << r.err;
  }
  EXPECT_FALSE(fs::exists(drives_ / "q:"));
}

// The lookup of a name Windows refuses fails: the field shows red and the error reaches the log.
TEST_F(AppE2eTest, RefusedFolderNameIsLoggedAndEndsWithStatusOne) {
  const Outcome r = Run({"--batch", "--folder", "2=C:\\a|b"});
  EXPECT_EQ(r.status, 1) << r.out << r.err;
  EXPECT_EQ(r.out, "");
  const std::string log = ReadAll(root_ / "log" / "TX3_Setup.log");
  std::istringstream lines(log);
  bool reported = false;
  for (std::string line; std::getline(lines, line);) {
    reported |= line.find("Err: 52 ") != std::string::npos &&
                line.find("Frm_Main:TexteDossier_Change") != std::string::npos;
  }
  EXPECT_TRUE(reported) << log;
}

TEST_F(AppE2eTest, BadUsageIsExitTwoWithOneLine) {
  const std::vector<std::vector<std::string>> cases = {
      {"--batch", "--bogus"}, {"--batch", "--step", "9"},          {"--batch", "--station", "x"},
      {"--radio", "R"},       {"--batch", "--package", "3=maybe"}, {"--batch", "--engine", "7"},
  };
  for (const auto& args : cases) {
    const Outcome r = Run(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  }
  EXPECT_FALSE(fs::exists(C("Brennic")));
}

TEST_F(AppE2eTest, HelpAndVersion) {
  Outcome r = Run({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_THAT(r.out, HasSubstr("--create-database"));
  r = Run({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("tx3_setup ")) << r.out;
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);
}

TEST_F(AppE2eTest, WithoutDisplayTheWindowSuggestsBatch) {
  const Outcome r = Run({});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_THAT(r.err, HasSubstr("--batch"));
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

// D:\Data\Sons\ is made level by level under the drive entry d:; without that entry nothing is
// made anywhere, the run says so, and the missing level is traced in the log once.
TEST_F(AppE2eTest, CreatesAFolderOnDriveDOnlyWhenTheDriveHasAnEntry) {
  const std::vector<std::string> args = {"--batch", "--folder", "2=D:\\Data\\Sons\\",
                                         "--create-folder", "2"};
  Outcome r = Run(args);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "[warning]\nDossiers non créés:\n\nD:\\Data\\Sons\\\n\n");
  EXPECT_FALSE(fs::exists(drives_ / "d:"));
  const std::string log = ReadAll(root_ / "log" / "TX3_Setup.log");
  EXPECT_THAT(log, HasSubstr("Folder 'D:\\Data\\' not found"));
  EXPECT_THAT(log, Not(HasSubstr("D:\\Data\\Sons\\' not found")));

  fs::create_directory(drives_ / "d:");
  r = Run(args);
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(fs::is_directory(drives_ / "d:" / "Data" / "Sons"));
}

}  // namespace
