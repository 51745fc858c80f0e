// The dry run and the report where the real program cannot show them: the platform in use after a
// dry run, and text that is not UTF-8 in the report.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "app/batch/batch_front_end.h"
#include "app/batch/run_report.h"
#include "app/frm_main.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3::testing {
namespace {

// The run's own files (answers, report) are written; the installation's are not.
TEST(DryRunFrontEndTest, TheDryRunPlatformGivesBackThePlatformItCoveredAndChangesNothing) {
  FakePlatform os;
  UsePlatform guard{os};
  os.AddFolder("C:\\Brennic\\Tarvox\\Settings");  // an installation to capture
  os.SetIniValue("C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini", "Site", "Lib", "Radio");
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch({"--batch", "--dry-run", "--create-folder", "2", "--report", "r.json",
                      "--save-answers", "a.ini"},
                     out, err),
            kExitWouldChange)
      << err.str();
  EXPECT_TRUE(os.namedFiles.contains("a.ini"));
  EXPECT_EQ(&platform::Os(), &os);
  EXPECT_FALSE(os.IsFolder("C:\\Kalvet"));
  EXPECT_EQ(out.str(),
            "[dry-run] create-folder 2\nDossiers à créer : 1\n  C:\\Kalvet\\\n\n"
            "[dry-run] total\nDossiers à créer : 1\n\n");
  const auto report = nlohmann::json::parse(os.namedFiles["r.json"], nullptr, false);
  ASSERT_TRUE(report.is_object()) << os.namedFiles["r.json"];
  EXPECT_EQ(report["exitStatus"], kExitWouldChange);
  EXPECT_EQ(report["actions"][0]["folders"][0], "C:\\Kalvet\\");
}

TEST(RunReportTest, TextThatIsNotUtf8AndAbsentValues) {
  FakePlatform os;
  UsePlatform guard{os};
  FrmMain window;
  window.Create();
  window.SetTexteNomRadio("Radio \xE9t\xE9");
  window.SetComboPervasiveSelection(-1);
  RunRecord record;
  record.fields = FieldsOf(window);
  record.actions.push_back({{BatchAction::Kind::Step, 2}, {}, {}, {}, {}});
  record.actions[0].settingsFiles.push_back({"C:\\B.ini", 1, 0, false, {{"S", "K", {}, "\xFF"}}});
  const auto report = nlohmann::json::parse(ReportText(record), nullptr, false);
  ASSERT_TRUE(report.is_object());
  EXPECT_EQ(report["fields"]["radio"], "Radio \xEF\xBF\xBDt\xEF\xBF\xBD");
  EXPECT_EQ(report["fields"]["engine"]["text"], nullptr);
  const auto& key = report["actions"][0]["settingsFiles"][0]["keys"][0];
  EXPECT_EQ(key["before"], nullptr);
  EXPECT_EQ(key["after"], "\xEF\xBF\xBD");
  EXPECT_EQ(report["totals"]["keysAdded"], 1);
}

}  // namespace
}  // namespace tx3::testing
