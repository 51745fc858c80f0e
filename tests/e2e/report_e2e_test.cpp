// tx3_setup --batch --report FILE through the real program: the report of a clean run, a run with
// a warning, a failing engine and a dry run validates against its schema and tells the run.
#include <gmock/gmock.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "program_run.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Outcome = tx3::e2e::ProgramRun;
using tx3::e2e::ReadAll;

// The faults the schema finds in `report` (Debian's python3-jsonschema), empty when it is valid.
std::string SchemaFaults(const fs::path& report) {
  const std::string source = tx3::testing::SourceFolder();
  const std::string command = "/usr/bin/python3 " + source + "/tests/e2e/check_report.py " +
                              source + "/src/app/batch/report.schema.json " + report.string() +
                              " 2>&1";
  std::string faults;
  FILE* checker = ::popen(command.c_str(), "r");
  if (checker == nullptr) return "cannot start " + command;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, checker) != nullptr) faults += buffer;
  if (::pclose(checker) != 0 && faults.empty()) faults = "failed: " + command;
  return faults;
}

class ReportE2eTest : public tx3::e2e::E2eTest {
 protected:
  fs::path ReportFile() const { return root_ / "report.json"; }
};

TEST_F(ReportE2eTest, EveryKindOfRunHasAValidReport) {
  const std::string engine =
      std::string("TX3_BTRIEVE_LIBRARY=") + tx3::testing::TestEngineLibrary();
  const std::string engineLog = "TX3_TEST_ENGINE_LOG=" + (root_ / "engine.log").string();
  struct {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> env;
    int status;
    size_t actions;
    int folders, settingsFiles, dataFiles, messages, warnings;
  } const cases[] = {
      // One after the other on the same drives.
      {"clean", {"--radio", "Radio Été", "--step", "1", "--step", "2"}, {}, 0, 2, 14, 1, 0, 2, 0},
      {"warning", {"--create-folder", "2", "--step", "3"}, {}, 4, 2, 0, 4, 0, 2, 1},
      {"engine",
       {"--create-database"},
       {engine, engineLog, "TX3_TEST_ENGINE_STATUS=46"},
       1,
       1,
       0,
       0,
       0,
       1,
       1},
      {"dry",
       {"--dry-run", "--folder", "2=C:\\Logs\\", "--step", "1", "--create-database"},
       {},
       3,
       2,
       1,
       0,
       50,
       0,
       0},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--batch", "--report", ReportFile().string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome r = Run(args, c.env);
    EXPECT_EQ(r.status, c.status) << c.name << r.out << r.err;
    EXPECT_EQ(SchemaFaults(ReportFile()), "") << c.name;
    const Json report = Json::parse(ReadAll(ReportFile()), nullptr, false);
    ASSERT_TRUE(report.is_object()) << c.name;
    EXPECT_EQ(report["exitStatus"], c.status) << c.name;
    EXPECT_EQ(report["dryRun"], c.status == 3) << c.name;
    const Json& totals = report["totals"];
    EXPECT_EQ(totals["folders"], c.folders) << c.name;
    EXPECT_EQ(totals["settingsFiles"], c.settingsFiles) << c.name;
    EXPECT_EQ(totals["dataFiles"], c.dataFiles) << c.name;
    EXPECT_EQ(totals["messages"], c.messages) << c.name;
    EXPECT_EQ(totals["warnings"], c.warnings) << c.name;
    EXPECT_EQ(report["actions"].size(), c.actions) << c.name;
    fs::remove(ReportFile());
  }
}

TEST_F(ReportE2eTest, FieldsAndActionsOfACleanRun) {
  const Outcome r = Run({"--batch", "--radio", "Radio Été", "--station", "2=Nuit", "--step", "1",
                         "--step", "2", "--report", ReportFile().string()});
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  const Json report = Json::parse(ReadAll(ReportFile()));
  EXPECT_EQ(report["fields"]["radio"], "Radio Été");
  EXPECT_EQ(report["fields"]["stations"][1], "Nuit");
  const Json& step2 = report["actions"][1];
  EXPECT_EQ(step2["action"], "step 2");
  EXPECT_EQ(step2["messages"], Json::parse(R"([{"level":"information",
                                               "text":"Paramétrage créé ou MAJ"}])"));
  const Json& config = step2["settingsFiles"][0];
  EXPECT_EQ(config["file"], "C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini");
  EXPECT_EQ(config["written"], true);
  EXPECT_EQ(config["added"], 6);
  EXPECT_EQ(config["keys"][0],
            Json::parse(R"({"section":"Site","key":"Lib","before":null,"after":"Radio Été"})"));
}

TEST_F(ReportE2eTest, AReportThatCannotBeWrittenIsOneLineAndStatusOne) {
  const std::string report = (root_ / "missing" / "report.json").string();
  for (const bool dry : {true, false}) {
    std::vector<std::string> args = {"--batch", "--report", report, "--create-folder", "2"};
    if (dry) args.push_back("--dry-run");
    const Outcome r = Run(args);
    EXPECT_EQ(r.status, 1) << dry << r.out;
    EXPECT_EQ(r.err, "tx3_setup: " + report + ": cannot be written\n") << dry;
    EXPECT_EQ(fs::is_directory(C("Kalvet")), !dry);
  }
}

}  // namespace
