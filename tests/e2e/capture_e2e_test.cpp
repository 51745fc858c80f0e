// Capturing a finished workstation whose every field is custom (application folder included) and
// replaying it on another: the same settings files byte for byte, and a dry run of the answers on
// the first workstation finds nothing to change. A capture of a folder without an installation
// says so and still writes its answers.
#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "program_run.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using Outcome = tx3::e2e::ProgramRun;
using tx3::e2e::ReadAll;
using tx3::e2e::TreeOf;

const std::vector<std::string> kSteps = {"--step", "1", "--step", "2", "--step", "3"};

class CaptureE2eTest : public tx3::e2e::E2eTest {
 protected:
  std::string AnswerPath() const { return (root_ / "poste.ini").string(); }

  // A new workstation: empty drives C: and D:.
  void NewDrives() const {
    fs::remove_all(drives_);
    fs::create_directories(drives_ / "c:");
    fs::create_directories(drives_ / "d:");
  }
};

struct Workstation {
  const char* config;       // folder row 1
  const char* configEntry;  // its entry under the drive folder
  // The steps warn when the configuration folder has no "\Config" (the installation root is then
  // the configuration folder itself): every run with steps ends with status 4, done with warnings.
  int stepsStatus;
};

TEST_F(CaptureE2eTest, AWorkstationWithEveryFieldCustomIsCapturedAndReplayed) {
  const Workstation workstations[] = {{"C:\\Radio\\Config\\", "c:/Radio/Config/", 0},
                                      {"C:\\Radio\\Reglages\\", "c:/Radio/Reglages/", 4}};
  for (const Workstation& w : workstations) {
    SCOPED_TRACE(w.config);
    NewDrives();
    std::vector<std::string> install = {"--batch", "--radio", "Radio Tarvox Sud"};
    const char* stations[] = {"Sud FM", "Sud Jazz", "Sud Info", "Sud Été", "Sud Nuit"};
    for (int i = 0; i < 5; ++i) {
      install.insert(install.end(), {"--station", std::to_string(i + 1) + "=" + stations[i]});
    }
    for (const std::string& row :
         {std::string("0=C:\\Radio\\Tarvox\\"), "1=" + std::string(w.config),
          std::string("2=C:\\Radio\\Logs\\"), std::string("3=C:\\Radio\\Logs\\Pub\\"),
          std::string("4=D:\\Sons\\Musique\\"), std::string("5=D:\\Sons\\Autre\\"),
          std::string("6=D:\\Donnees\\"), std::string("7=C:\\Radio\\Redist\\")}) {
      install.insert(install.end(), {"--folder", row});
    }
    install.insert(install.end(), kSteps.begin(), kSteps.end());
    const Outcome first = Run(install);
    ASSERT_EQ(first.status, w.stepsStatus) << first.out << first.err;

    const std::string answers = AnswerPath();
    const Outcome capture =
        Run({"--batch", "--folder", "0=C:\\Radio\\Tarvox\\", "--save-answers", answers});
    ASSERT_EQ(capture.status, 0) << capture.err;
    EXPECT_EQ(capture.err, "");
    EXPECT_THAT(ReadAll(answers), HasSubstr("\r\nFolder2=C:\\Radio\\Logs\\\r\n"
                                            "Folder3=C:\\Radio\\Logs\\Pub\\\r\n"));

    std::vector<std::string> dry = {"--batch", "--dry-run", "--answers", answers};
    dry.insert(dry.end(), kSteps.begin(), kSteps.end());
    const Outcome check = Run(dry);
    EXPECT_EQ(check.status, w.stepsStatus) << check.out << check.err;
    EXPECT_TRUE(check.out.ends_with(w.stepsStatus == 0
                                        ? "Rien à changer : le poste est à jour.\n"
                                        : "Rien à changer, mais la simulation a rencontré des "
                                          "problèmes (voir ci-dessus).\n"))
        << check.out;

    const fs::path installed = root_ / "installed";
    fs::remove_all(installed);
    fs::rename(drives_, installed);
    NewDrives();
    std::vector<std::string> replay = {"--batch", "--answers", answers};
    replay.insert(replay.end(), kSteps.begin(), kSteps.end());
    const Outcome again = Run(replay);
    EXPECT_EQ(again.status, w.stepsStatus) << again.out << again.err;
    EXPECT_EQ(again.out, first.out);
    const auto files = TreeOf(drives_);
    EXPECT_EQ(files, TreeOf(installed));
    const std::string config = w.configEntry;
    for (const std::string& file :
         {std::string("c:/Radio/Tarvox/Settings/TX3_Config.ini"), config + "Br_Sys.ini",
          config + "TX3_Systeme.ini", config + "BR_Mus.ini", config + "BR_Pub.ini"}) {
      EXPECT_TRUE(files.contains(file)) << file;
    }
  }
}

TEST_F(CaptureE2eTest, ACaptureOfAFolderWithoutAnInstallationWarnsAndStillSaves) {
  const std::string answers = AnswerPath();
  const fs::path report = root_ / "report.json";
  const auto before = TreeOf(drives_);
  const Outcome r = Run({"--batch", "--folder", "0=C:\\Radio\\Vide", "--save-answers", answers,
                         "--report", report.string()});
  EXPECT_EQ(r.status, 4);  // a warning: the answers were saved
  EXPECT_EQ(r.out, "");
  const std::string warning =
      "Aucune installation trouvée dans C:\\Radio\\Vide\\ : les champs sont ceux par défaut";
  EXPECT_EQ(r.err, "tx3_setup: warning: " + warning + "\n");
  EXPECT_THAT(ReadAll(answers), HasSubstr("\r\nRadio=Nom de votre Radio\r\n"));
  const auto json = nlohmann::json::parse(ReadAll(report), nullptr, false);
  EXPECT_EQ(json["messages"][0]["text"], warning);
  EXPECT_EQ(json["totals"]["warnings"], 1);
  EXPECT_EQ(json["exitStatus"], 4);
  const std::string source = tx3::testing::SourceFolder();
  EXPECT_EQ(std::system(("/usr/bin/python3 " + source + "/tests/e2e/check_report.py " + source +
                         "/src/app/batch/report.schema.json " + report.string())
                            .c_str()),
            0);
  EXPECT_EQ(TreeOf(drives_), before);
}

}  // namespace
