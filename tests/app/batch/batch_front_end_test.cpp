#include "app/batch/batch_front_end.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch/answer_file.h"
#include "app/batch/batch_ui_port.h"
#include "app/frm_main.h"
#include "common/run_context.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3::testing {
namespace {

class BatchFrontEndTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    return RunBatch(args, out, err);
  }
  // An earlier installation, for the captures that are not about finding one.
  void InstallUnderTheDefaultFolder() {
    os.AddFolder("C:\\Brennic\\Tarvox\\Settings");
    os.SetIniValue("C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini", "Site", "Lib", "Lue");
  }
  FakePlatform os;
  UsePlatform guard{os};
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(BatchFrontEndTest, AMessageIsPrintedAsItsIconLineItsTextAndAnEmptyLine) {
  FrmMain window;
  BatchUiPort port(window, out, err, false);
  port.ShowMessage("Le dossier existe déjà:\r\n\r\nC:\\X\\", MsgIcon::Warning);
  port.ShowMessage("Fichiers créés à vide", MsgIcon::Information);
  port.ShowMessage("", MsgIcon::Critical);
  EXPECT_EQ(out.str(),
            "[warning]\nLe dossier existe déjà:\n\nC:\\X\\\n\n"
            "[information]\nFichiers créés à vide\n\n"
            "[critical]\n\n\n");
  const std::vector<ShownMessage> kept = {{MsgIcon::Warning, "Le dossier existe déjà:\n\nC:\\X\\"},
                                          {MsgIcon::Information, "Fichiers créés à vide"},
                                          {MsgIcon::Critical, ""}};
  EXPECT_EQ(port.Messages(), kept);
}

TEST_F(BatchFrontEndTest, NothingToDoIsSuccessAndWritesNothing) {
  EXPECT_EQ(Run({"--batch"}), kExitOk);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(os.CallCount("WriteProfileEntry"), 0);
  EXPECT_EQ(os.CallCount("MakeDirectory"), 0);
  EXPECT_EQ(os.flushCount, 1);
}

TEST_F(BatchFrontEndTest, CreateFolderOfAFieldSetOnTheCommandLine) {
  EXPECT_EQ(Run({"--batch", "--folder", "2=C:\\Logs\\Tech\\", "--create-folder", "2"}), kExitOk);
  EXPECT_TRUE(os.IsFolder("C:\\Logs\\Tech"));
  EXPECT_EQ(out.str(), "");
}

TEST_F(BatchFrontEndTest, AFolderThatCannotBeCreatedIsAWarningAndExitOne) {
  EXPECT_EQ(Run({"--batch", "--folder", "2=Q:\\Logs\\", "--create-folder", "2"}), kExitNotDone);
  EXPECT_EQ(out.str(), "[warning]\nDossiers non créés:\n\nQ:\\Logs\\\n\n");
}

// The folder is there: nothing was left undone, the warning alone makes the status 4.
TEST_F(BatchFrontEndTest, ExistingFolderIsAWarningAndExitFour) {
  os.AddFolder("C:\\Kalvet");
  EXPECT_EQ(Run({"--batch", "--create-folder", "2"}), kExitWarnings);
  EXPECT_EQ(out.str(), "[warning]\nLe dossier existe déjà:\n\nC:\\Kalvet\\\n\n");
}

TEST_F(BatchFrontEndTest, ActionsRunInTheOrderGiven) {
  // The second press finds the folder the first one made.
  EXPECT_EQ(Run({"--batch", "--create-folder", "3", "--create-folder", "3"}), kExitWarnings);
  EXPECT_EQ(out.str(), "[warning]\nLe dossier existe déjà:\n\nC:\\Kalvet\\Pub\\\n\n");
}

TEST_F(BatchFrontEndTest, AnErrorReportMakesExitOne) {
  os.RaiseInCall("FindFirst", err::kOutOfMemory, -1, "D:\\Panne\\");
  EXPECT_EQ(Run({"--batch", "--folder", "4=D:\\Panne\\", "--create-folder", "4"}), kExitNotDone);
  EXPECT_EQ(out.str(), "[warning]\nDossiers non créés:\n\nD:\\Panne\\\n\n");
}

// The lists' rows are the window's: a row it does not have is refused before the window exists.
TEST_F(BatchFrontEndTest, InvalidListRowIsAUsageError) {
  EXPECT_EQ(Run({"--batch", "--engine", "5", "--step", "1"}), kExitUsage);
  EXPECT_EQ(err.str(), "tx3_setup: --engine: 5 is not a number from -1 to 4\n");
  EXPECT_EQ(os.CallCount("ExecutablePath"), 0);  // no window
  EXPECT_EQ(os.CallCount("MakeDirectory"), 0);   // no action ran
  EXPECT_EQ(Run({"--batch", "--converter", "3"}), kExitUsage);
  EXPECT_EQ(err.str(), "tx3_setup: --converter: 3 is not a number from -1 to 2\n");
  EXPECT_EQ(Run({"--batch", "--engine", "4", "--converter", "-1", "--report", "r.json"}), kExitOk);
  const auto report = nlohmann::json::parse(os.namedFiles["r.json"], nullptr, false);
  EXPECT_EQ(report["fields"]["engine"]["row"], 4);
  EXPECT_EQ(report["fields"]["engine"]["text"], "Workgroup V08 (Windows XP)");
  EXPECT_EQ(report["fields"]["converter"]["text"], nullptr);
}

TEST_F(BatchFrontEndTest, UsageErrorIsOneLineOnStandardError) {
  EXPECT_EQ(Run({"--batch", "--nope"}), kExitUsage);
  EXPECT_EQ(out.str(), "");
  const std::string e = err.str();
  ASSERT_FALSE(e.empty());
  EXPECT_EQ(e.find('\n'), e.size() - 1);
}

TEST_F(BatchFrontEndTest, HelpAndVersion) {
  EXPECT_EQ(Run({"--help"}), kExitOk);
  EXPECT_NE(out.str().find("--create-database"), std::string::npos);
  EXPECT_EQ(Run({"--version"}), kExitOk);
  RunContext run;
  EXPECT_EQ(out.str(), "tx3_setup " + ProgramVersionText(run) + "\n");
  EXPECT_EQ(os.flushCount, 0);
}

TEST_F(BatchFrontEndTest, VerboseEchoesStatusTexts) {
  os.AddFolder("C:\\Brennic\\Tarvox\\Config");
  EXPECT_EQ(Run({"--batch", "--verbose", "--radio", "Radio Est", "--step", "2"}), kExitOk)
      << out.str();
  EXPECT_NE(err.str().find("Radio Est"), std::string::npos);
  // The step's common ending clears the status bar: that text is echoed too.
  EXPECT_TRUE(err.str().ends_with("\n\n")) << err.str();
  EXPECT_EQ(os.IniValue("C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini", "Site", "Lib"),
            "Radio Est");
}

// ---- Exit statuses ----

TEST(ExitStatusTest, OneWinsOverThreeWhichWinsOverFour) {
  struct Case {
    RunOutcome outcome;  // dry run, not done, warned, would change
    int status;
  };
  const Case cases[] = {
      {{false, false, false, false}, kExitOk},        {{false, false, true, false}, kExitWarnings},
      {{false, true, false, false}, kExitNotDone},    {{false, true, true, false}, kExitNotDone},
      {{false, false, true, true}, kExitWarnings},  // 3 only in a dry run
      {{true, false, false, false}, kExitOk},         {{true, false, true, false}, kExitWarnings},
      {{true, false, false, true}, kExitWouldChange}, {{true, false, true, true}, kExitWouldChange},
      {{true, true, true, true}, kExitNotDone},       {{true, true, false, false}, kExitNotDone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExitStatusOf(c.outcome), c.status)
        << c.outcome.dryRun << c.outcome.notDone << c.outcome.warned << c.outcome.wouldChange;
  }
}

struct StatusCase {
  const char* label;
  std::vector<std::string> args;  // after --batch
  const char* existing;           // a folder already there, or nullptr
  const char* failingCommit;      // a settings file whose commit fails, or nullptr
  int status;
};

// Whole runs: what was shown and done decides the status, as deployment tools read it.
TEST(BatchStatusTest, StatusOfWholeRuns) {
  const char* const noConfig = "1=C:\\TX_Data\\Cfg\\";  // no "\Config": a warning only
  const char* const config = "C:\\Brennic\\Tarvox\\Config";
  const StatusCase cases[] = {
      {"config warning only",
       {"--folder", noConfig, "--step", "1"},
       nullptr,
       nullptr,
       kExitWarnings},
      {"config warning, settings written",
       {"--folder", noConfig, "--step", "1", "--step", "2"},
       nullptr,
       nullptr,
       kExitWarnings},
      {"settings file not written",
       {"--step", "2"},
       config,
       "C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini",
       kExitNotDone},
      {"critical message", {"--step", "3"}, nullptr, nullptr, kExitNotDone},
      {"dry run: warnings and changes",
       {"--dry-run", "--folder", noConfig, "--step", "1"},
       nullptr,
       nullptr,
       kExitWouldChange},
      {"dry run: 1 wins over 3",
       {"--dry-run", "--create-folder", "2", "--step", "3"},
       nullptr,
       nullptr,
       kExitNotDone},
      {"dry run: warning, nothing to change",
       {"--dry-run", "--create-folder", "2"},
       "C:\\Kalvet",
       nullptr,
       kExitWarnings},
  };
  for (const StatusCase& c : cases) {
    FakePlatform os;
    UsePlatform guard{os};
    if (c.existing != nullptr) os.AddFolder(c.existing);
    if (c.failingCommit != nullptr) os.failingCommits.insert(c.failingCommit);
    std::vector<std::string> args = {"--batch", "--report", "r.json"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch(args, out, err), c.status) << c.label << "\n" << out.str() << err.str();
    const auto report = nlohmann::json::parse(os.namedFiles["r.json"], nullptr, false);
    EXPECT_EQ(report["exitStatus"], c.status) << c.label;
  }
}

// ---- Answer files ----

TEST_F(BatchFrontEndTest, AnswersTakeTheirPlaceAmongTheOptions) {
  InstallUnderTheDefaultFolder();
  os.namedFiles["f.ini"] =
      "[Fields]\r\nRadio=Fichier\r\nStation1=Fichier 1\r\n[Actions]\r\n1=create-folder 3\r\n";
  EXPECT_EQ(Run({"--batch", "--radio", "Option", "--create-folder", "2", "--answers", "f.ini",
                 "--station", "1=Option 1", "--create-folder", "4", "--save-answers", "out.ini"}),
            kExitOk)
      << out.str() << err.str();
  const std::string saved = os.namedFiles["out.ini"];
  EXPECT_NE(saved.find("\r\nRadio=Fichier\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\r\nStation1=Option 1\r\n"), std::string::npos) << saved;
  EXPECT_TRUE(
      saved.ends_with("[Actions]\r\n1=create-folder 2\r\n2=create-folder 3\r\n"
                      "3=create-folder 4\r\n"))
      << saved;
  EXPECT_TRUE(os.IsFolder("C:\\Kalvet\\Pub") && os.IsFolder("C:\\TX_Sons\\Sons\\Musique"));
}

// What one run saves, another run reads back to the same fields, awkward texts included. The
// first run finds no installation and warns (status 4); the second gives every stored field
// itself.
TEST_F(BatchFrontEndTest, SavedAnswersReplayToTheSameFields) {
  EXPECT_EQ(Run({"--batch", "--radio", "  Radio \"Été\" ; # = ", "--station", "2=\"x\"",
                 "--station", "1=", "--folder", "3=D:\\Pub ", "--engine", "-1", "--converter", "2",
                 "--package", "0=off", "--step", "4", "--save-answers", "a.ini"}),
            kExitWarnings)
      << err.str();
  EXPECT_EQ(Run({"--batch", "--answers", "a.ini", "--save-answers", "b.ini"}), kExitOk)
      << err.str();
  EXPECT_EQ(os.namedFiles["b.ini"], os.namedFiles["a.ini"]);
  const ParsedAnswerFile p = ParseAnswerFile("a.ini", os.namedFiles["a.ini"]);
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.answers.fields.size(), 1u + 5 + 8 + 2 + 18 + 1);
  EXPECT_EQ(p.answers.fields[0].value.text, "  Radio \"Été\" ; # = ");
}

// Every field of the table goes the whole way, at its first and its last number: given (by its
// option, or by an answer file when it has none), set on the window, saved to an answer file that
// reads back to it, and reported.
TEST_F(BatchFrontEndTest, EveryFieldGoesFromItsOptionToTheAnswerFileAndTheReport) {
  InstallUnderTheDefaultFolder();
  for (const OperatorField& f : OperatorFields()) {
    for (const int index : {0, f.count - 1}) {
      const std::string key = f.Key(index);
      FieldValue value;  // other than the window's default
      std::string given;
      switch (f.kind) {
        case FieldKind::Text:
          value.text = given = "Autre " + key;
          break;
        case FieldKind::ListRow:
          value.row = f.LastRow();
          value.text = f.listRows()[static_cast<size_t>(value.row)];
          given = std::to_string(value.row);
          break;
        case FieldKind::CheckMark:
          given = "off";
          break;
        case FieldKind::HostName:
          value.text = given = "miroir.example";
          break;
      }
      std::vector<std::string> args = {"--batch", "--save-answers", "a.ini", "--report", "r.json"};
      if (f.option.empty()) {
        os.namedFiles["in.ini"] = "[Fields]\n" + key + "=" + given + "\n";
        args.insert(args.end(), {"--answers", "in.ini"});
      } else {
        args.emplace_back(f.option);
        args.push_back(f.Numbered() ? std::to_string(f.firstNumber + index) + "=" + given : given);
      }
      EXPECT_NE(Run(args), kExitUsage) << key << ": " << err.str();
      const std::string saved = os.namedFiles["a.ini"];
      EXPECT_NE(saved.find("\r\n" + key + "=" + given + "\r\n"), std::string::npos) << saved;
      const ParsedAnswerFile read = ParseAnswerFile("a.ini", saved);
      ASSERT_TRUE(read.ok) << read.error;
      const auto same = std::find_if(
          read.answers.fields.begin(), read.answers.fields.end(), [&](const FieldOption& o) {
            return o.field == &f && o.index == index &&
                   o.value.text == (f.kind == FieldKind::ListRow ? std::string() : value.text) &&
                   o.value.row == value.row && o.value.on == value.on;
          });
      EXPECT_NE(same, read.answers.fields.end()) << key;
      const auto report = nlohmann::json::parse(os.namedFiles["r.json"], nullptr, false);
      nlohmann::json reported = report["fields"][std::string(f.report)];
      if (f.Numbered()) reported = reported[static_cast<size_t>(index)];
      switch (f.kind) {
        case FieldKind::Text:
        case FieldKind::HostName:
          EXPECT_EQ(reported, value.text) << key;
          break;
        case FieldKind::ListRow:
          EXPECT_EQ(reported["row"], value.row) << key;
          EXPECT_EQ(reported["text"], value.text) << key;
          break;
        case FieldKind::CheckMark:
          EXPECT_EQ(reported["row"], f.firstNumber + index) << key;
          EXPECT_EQ(reported["checked"], false) << key;
          break;
      }
    }
  }
}

// ---- Capture ----

// An installation under D:\Radio\ whose configuration folder is stored without its backslash.
void InstallUnderDRadio(FakePlatform& os) {
  os.AddFolder("D:\\Radio\\Settings");
  os.AddFolder("D:\\Radio\\Reglages");
  const std::string config = "D:\\Radio\\Settings\\TX3_Config.ini";
  os.SetIniValue(config, "Site", "Lib", "Radio Sud");
  os.SetIniValue(config, "Site", "Dossier_Config_Global", "D:\\Radio\\Reglages");
  const std::string brSys = "D:\\Radio\\Reglages\\Br_Sys.ini";
  os.SetIniValue(brSys, "Repertoires", "REPLOG", "E:\\Logs\\");
  os.SetIniValue(brSys, "Repertoires", "REPLOGPUB", "E:\\Logs\\Pub\\");
  os.SetIniValue("D:\\Radio\\Reglages\\TX3_Systeme.ini", "Base_01_Station_01", "Lib", "Sud FM");
}

struct CaptureCase {
  std::vector<std::string> options;
  std::string fields;  // the saved lines from Radio to Folder3
};

// The capture reads the installation of the folder row 0 given (option or answer file), completes
// rows 0, 2 and 3 from it, and the field options still win.
TEST_F(BatchFrontEndTest, ACaptureTakesEveryStoredFieldOfTheInstallationGiven) {
  InstallUnderDRadio(os);
  os.namedFiles["f.ini"] = "[Fields]\nFolder0=D:\\RADIO\\\n";
  const std::string stations =
      "Station1=Sud FM\r\nStation2=\r\nStation3=\r\nStation4=\r\n"
      "Station5=\r\n";
  const CaptureCase cases[] = {
      {{"--folder", "0=D:\\Radio"},
       "Radio=Radio Sud\r\n" + stations +
           "Folder0=D:\\Radio\r\nFolder1=D:\\Radio\\Reglages\r\nFolder2=E:\\Logs\\\r\n"
           "Folder3=E:\\Logs\\Pub\\\r\n"},
      {{"--answers", "f.ini", "--folder", "2=F:\\Logs\\", "--radio", "Autre"},
       "Radio=Autre\r\n" + stations +
           "Folder0=D:\\RADIO\\\r\nFolder1=D:\\Radio\\Reglages\r\nFolder2=F:\\Logs\\\r\n"
           "Folder3=E:\\Logs\\Pub\\\r\n"},
  };
  for (const CaptureCase& c : cases) {
    std::vector<std::string> args = {"--batch", "--save-answers", "out.ini"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    EXPECT_EQ(Run(args), kExitOk) << err.str();
    EXPECT_EQ(err.str(), "");
    const std::string saved = os.namedFiles["out.ini"];
    EXPECT_NE(saved.find("[Fields]\r\n" + c.fields + "Folder4="), std::string::npos) << saved;
  }
}

// Without --save-answers the read-back follows folder row 0 too; nothing is completed.
TEST_F(BatchFrontEndTest, TheReadBackFollowsFolderRowZeroInEveryBatchRun) {
  InstallUnderDRadio(os);
  EXPECT_EQ(Run({"--batch", "--folder", "0=D:\\Radio\\", "--report", "r.json"}), kExitOk);
  const auto report = nlohmann::json::parse(os.namedFiles["r.json"], nullptr, false);
  EXPECT_EQ(report["fields"]["radio"], "Radio Sud");
  EXPECT_EQ(report["fields"]["folders"][2], "C:\\Kalvet\\");
}

struct StopCase {
  std::vector<std::string> options;
  int status;
  std::string err;
};

// A faulty answer file stops everything before the window exists; answers that cannot be saved
// stop the run before its actions.
TEST_F(BatchFrontEndTest, AnswersThatCannotBeReadOrSavedStopTheRun) {
  InstallUnderTheDefaultFolder();
  os.namedFiles["bad.ini"] = "[Fields]\nRadio=x\nPackage18=on\n";
  const StopCase cases[] = {
      {{"--answers", "bad.ini"}, kExitUsage, "bad.ini:3: Package18: no component row 18 (0 to 17)"},
      {{"--answers", "none.ini"}, kExitUsage, "none.ini: cannot be read"},
      {{"--radio", "a\nb"},
       kExitNotDone,
       "out.ini: Radio: a line break or control character cannot be saved"},
      {{"--folder", "2=C:\\\xE9"},
       kExitNotDone,
       "out.ini: Folder2: text that is not UTF-8 cannot be saved"},
  };
  for (const StopCase& c : cases) {
    std::vector<std::string> args = {"--batch", "--save-answers", "out.ini", "--create-folder",
                                     "3"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    EXPECT_EQ(Run(args), c.status);
    EXPECT_EQ(err.str(), "tx3_setup: " + c.err + "\n");
    if (c.status == kExitUsage) {
      EXPECT_EQ(os.CallCount("ExecutablePath"), 0);  // no window
    }
  }
  os.FailCall("ReplaceNamedFile", 75);
  EXPECT_EQ(Run({"--batch", "--save-answers", "out.ini", "--create-folder", "3"}), kExitNotDone);
  EXPECT_EQ(err.str(), "tx3_setup: out.ini: cannot be written\n");
  EXPECT_FALSE(os.namedFiles.contains("out.ini"));
  EXPECT_FALSE(os.Exists("C:\\Kalvet"));
}

struct HostCase {
  const char* environment;  // nullptr: not set
  const char* answerHost;   // nullptr: no answer file
  const char* opened;       // the host of the address step 6 opens
  bool warned;
};

// The update server: the answer file's, else the environment's when it is a host name, else the
// build's (answers_e2e_test.cpp runs the other cases).
TEST_F(BatchFrontEndTest, UpdateServerOfTheRun) {
  const HostCase cases[] = {
      {nullptr, nullptr, TX3_UPDATE_HOST, false},
      {"", nullptr, TX3_UPDATE_HOST, true},
      {"miroir example", "fichier.example", "fichier.example", false},
  };
  for (const HostCase& c : cases) {
    os.environment.erase("TX3_UPDATE_HOST");
    if (c.environment != nullptr) os.environment["TX3_UPDATE_HOST"] = c.environment;
    std::vector<std::string> args = {"--batch", "--step", "6"};
    if (c.answerHost != nullptr) {
      os.namedFiles["h.ini"] = std::string("[Fields]\nUpdateHost=") + c.answerHost;
      args.insert(args.end(), {"--answers", "h.ini"});
    }
    os.shellCalls.clear();
    EXPECT_EQ(Run(args), c.warned ? kExitWarnings : kExitOk) << out.str();
    ASSERT_EQ(os.shellCalls.size(), 1u);
    EXPECT_EQ(os.shellCalls[0].file, std::string("https://") + c.opened +
                                         "/TX/Releases/TX_34/Setup_TX3_Composants_V34.exe");
    EXPECT_EQ(err.str(),
              c.warned
                  ? "tx3_setup: warning: TX3_UPDATE_HOST \"" + std::string(c.environment) +
                        "\" is not a host name; the update server stays " + TX3_UPDATE_HOST "\n"
                  : "");
  }
}

}  // namespace
}  // namespace tx3::testing
