#include "app/batch/batch_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tx3 {
namespace {

using Args = std::vector<std::string>;

TEST(BatchOptionsTest, FieldsAndActionsKeepTheirOrder) {
  const ParsedCommandLine p = ParseBatchOptions({"--batch",
                                                 "--step",
                                                 "2",
                                                 "--radio",
                                                 "Radio Sud",
                                                 "--create-folder",
                                                 "6",
                                                 "--station",
                                                 "3=Sud=Est",
                                                 "--folder",
                                                 "6=D:\\Data\\",
                                                 "--create-database",
                                                 "--engine",
                                                 "-1",
                                                 "--converter",
                                                 "2",
                                                 "--package",
                                                 "17=off",
                                                 "--station",
                                                 "5=",
                                                 "--verbose",
                                                 "--step",
                                                 "7"});
  ASSERT_TRUE(p.ok) << p.error;
  const BatchOptions& o = p.options;
  EXPECT_EQ(o.mode, BatchOptions::Mode::Batch);
  EXPECT_TRUE(o.verbose);
  // Each field as its answer-file key names it, with its value.
  std::vector<std::string> fields;
  for (const FieldOption& f : o.fields) {
    fields.push_back(f.field->Key(f.index) + "=" + f.value.text + "|" +
                     std::to_string(f.value.row) + (f.value.on ? "|on" : "|off"));
  }
  EXPECT_EQ(fields,
            (std::vector<std::string>{
                "Radio=Radio Sud|-1|off", "Station3=Sud=Est|-1|off", "Folder6=D:\\Data\\|-1|off",
                "Engine=|-1|off", "Converter=|2|off", "Package17=|-1|off", "Station5=|-1|off"}));
  using A = BatchAction::Kind;
  ASSERT_EQ(o.actions.size(), 4u);
  EXPECT_EQ(o.actions[0].kind, A::Step);
  EXPECT_EQ(o.actions[0].number, 2);
  EXPECT_EQ(o.actions[1].kind, A::CreateFolder);
  EXPECT_EQ(o.actions[1].number, 6);
  EXPECT_EQ(o.actions[2].kind, A::CreateDatabase);
  EXPECT_EQ(o.actions[3].number, 7);
}

TEST(BatchOptionsTest, HelpAndVersionWin) {
  EXPECT_EQ(ParseBatchOptions({"--help"}).options.mode, BatchOptions::Mode::Help);
  EXPECT_EQ(ParseBatchOptions({"--batch", "--step", "1", "--version"}).options.mode,
            BatchOptions::Mode::Version);
  EXPECT_TRUE(ParseBatchOptions({"--version"}).ok);
}

TEST(BatchOptionsTest, BatchAloneIsValid) {
  const ParsedCommandLine p = ParseBatchOptions({"--batch"});
  EXPECT_TRUE(p.ok);
  EXPECT_TRUE(p.options.fields.empty());
  EXPECT_TRUE(p.options.actions.empty());
  EXPECT_FALSE(p.options.dryRun);
  EXPECT_FALSE(p.options.report);
}

TEST(BatchOptionsTest, DryRunAndReportAnywhere) {
  const ParsedCommandLine p =
      ParseBatchOptions({"--report", "run.json", "--step", "1", "--batch", "--dry-run"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_TRUE(p.options.dryRun);
  EXPECT_EQ(p.options.report, "run.json");
  ASSERT_EQ(p.options.actions.size(), 1u);
}

TEST(BatchOptionsTest, LogAndEngineLibraryAnywhere) {
  const ParsedCommandLine p = ParseBatchOptions(
      {"--log", "C:\\Logs\\poste.log", "--batch", "--engine-library", "D:\\Moteur\\w64btrv.dll"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.log, "C:\\Logs\\poste.log");
  EXPECT_EQ(p.options.engineLibrary, "D:\\Moteur\\w64btrv.dll");
  EXPECT_FALSE(ParseBatchOptions({"--batch"}).options.log);
}

// The window takes nothing but --log and --engine-library; every other command line is a batch
// one (which refuses it without --batch).
TEST(BatchOptionsTest, TheWindowTakesOnlyTheLogAndTheEngineLibrary) {
  struct Case {
    Args args;
    bool window;
    const char* log;
  };
  const Case cases[] = {
      {{}, true, ""},
      {{"--log", "/var/log/tx3.log"}, true, "/var/log/tx3.log"},
      {{"--engine-library", "lib.so", "--log", "x.log"}, true, "x.log"},
      {{"--log", "x.log", "--batch"}, false, ""},
      {{"--log", "x.log", "--step", "1"}, false, ""},
      {{"--log"}, false, ""},
      {{"--log", "a.log", "--log", "b.log"}, false, ""},
      {{"--help"}, false, ""},
      {{"--batch"}, false, ""},
  };
  for (const Case& c : cases) {
    const std::optional<BatchOptions> window = ParseWindowOptions(c.args);
    EXPECT_EQ(window.has_value(), c.window) << testing::PrintToString(c.args);
    if (window) {
      EXPECT_EQ(window->log.value_or(""), c.log);
    }
  }
}

struct BadCase {
  Args args;
  const char* reasonPart;
};

TEST(BatchOptionsTest, BadUsageGivesOneLineReason) {
  const BadCase cases[] = {
      {{"--batch", "--frobnicate"}, "unknown option: --frobnicate"},
      {{"--radio", "X"}, "--batch"},
      {{"--batch", "--step", "0"}, "--step"},
      {{"--batch", "--step", "8"}, "--step"},
      {{"--batch", "--step", "2x"}, "--step"},
      {{"--batch", "--step"}, "needs a value"},
      {{"--batch", "--station", "6=Six"}, "--station: 6 is not a number from 1 to 5"},
      {{"--batch", "--station", "0=Zéro"}, "--station"},
      {{"--batch", "--station", "Sans égal"}, "N=VALUE"},
      {{"--batch", "--folder", "8=D:\\"}, "--folder"},
      {{"--batch", "--folder", "-1=D:\\"}, "--folder"},
      {{"--batch", "--folder", "D:\\"}, "N=VALUE"},
      {{"--batch", "--folder", "=D:\\"}, "--folder"},
      {{"--batch", "--package", "18=on"}, "--package"},
      {{"--batch", "--package", "3=yes"}, "on or off"},
      {{"--batch", "--package", "3"}, "N=VALUE"},
      {{"--batch", "--create-folder", "8"}, "--create-folder"},
      {{"--batch", "--engine", "-2"}, "--engine: -2 is not a number from -1 to 4"},
      // A list row the window's list does not have.
      {{"--batch", "--engine", "5"}, "--engine: 5 is not a number from -1 to 4"},
      {{"--batch", "--converter", "3"}, "--converter: 3 is not a number from -1 to 2"},
      {{"--batch", "--package", "3=ON"}, "--package: expected on or off, got ON"},
      {{"--batch", "--converter", "un"}, "--converter"},
      {{"--batch", "--radio"}, "needs a value"},
      {{"-batch"}, "unknown option"},
      {{"--batch", "--step", "99999999999999999999"}, "--step"},
      {{"--batch", "--answers"}, "needs a value"},
      {{"--batch", "--save-answers", "a.ini", "--save-answers", "b.ini"}, "given twice"},
      {{"--batch", "--report", "a.json", "--report", "b.json"}, "given twice"},
      {{"--batch", "--dry-run", "--report"}, "needs a value"},
      {{"--batch", "--log", "a.log", "--log", "b.log"}, "given twice"},
      {{"--batch", "--log"}, "needs a value"},
      {{"--batch", "--engine-library", "a.dll", "--engine-library", "b.dll"}, "given twice"},
      {{"--batch", "--engine-library"}, "needs a value"},
      // Arguments quoted in a refusal keep it on one line, whatever they hold.
      {{"--batch", "--radio\nx"}, "unknown option: --radio?x"},
      {{"--batch", "--engine", "1\n2"}, "--engine: 1?2"},
      {{"--batch", "--package", "3=o\rn"}, "on or off, got o?n"},
  };
  for (const BadCase& c : cases) {
    const ParsedCommandLine p = ParseBatchOptions(c.args);
    EXPECT_FALSE(p.ok) << c.args.back();
    EXPECT_NE(p.error.find(c.reasonPart), std::string::npos) << p.error;
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
  }
}

TEST(BatchOptionsTest, UsageNamesEveryOption) {
  const std::string usage = BatchUsageText();
  for (const char* option :
       {"--batch",     "--radio",         "--station", "--folder",        "--engine",
        "--converter", "--package",       "--step",    "--create-folder", "--create-database",
        "--verbose",   "--help",          "--version", "--answers",       "--save-answers",
        "UpdateHost",  "TX3_UPDATE_HOST", "--dry-run", "--report",        "  3  --dry-run",
        "--log",       "--engine-library"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
  EXPECT_NE(usage.find("\n  4  done, but warnings were shown"), std::string::npos);
  // The ranges and the folder captions are the window's.
  for (const char* text :
       {"  --folder N=PATH       folder row N, 0 to 7 (0 Application, 1 Config, 2 Log technique,\n"
        "                        3 Log Pub, 4 Sons Musique, 5 Sons Autre, 6 Datas, 7 Redist)\n",
        "  --package R=on|off    the check mark of component row R, 0 to 17\n",
        "Engine (-1 to 4, -1 none)", "Converter (-1 to 2, -1 none)", "Package0 to Package17"}) {
    EXPECT_NE(usage.find(text), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace tx3
