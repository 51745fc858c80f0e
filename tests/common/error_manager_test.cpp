// GestionDesErreurs: reduction of automation numbers, the disconnected-object message, the state
// it keeps, its busy flag, and the report it writes to the log.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/run_context.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

class ErrorManagerTest : public ::testing::Test {
 protected:
  void Report(int32_t number, std::string_view procedure, int32_t line = 0,
              std::string description = "desc", std::string source = "Src") {
    run_.PbTErreur = ErrorRecord{number, line, std::move(description), std::move(source)};
    run_.CurrentError = run_.PbTErreur;
    GestionDesErreurs(run_, procedure);
  }
  const ErrorManagerState& State() const { return run_.ErrorManager; }
  int64_t& Now() { return os_.localClockSeconds; }

  testing::FakePlatform os_;
  testing::UsePlatform guard_{os_};
  testing::FakeUi ui_;
  RunContext run_{&ui_};
};

TEST_F(ErrorManagerTest, AutomationBaseNumbersAreReducedWithinTheOpenRange) {
  const std::pair<int32_t, int32_t> cases[] = {
      {-2147221504 + 5, 5},
      {-2147221503, 1},            // base + 1
      {-2147155970, 65534},        // base + 65534
      {-2147221504, -2147221504},  // T = 0
      {-2147155969, -2147155969},  // T = 65535
      {INT32_MIN, INT32_MIN},      // T far below 0, computed without overflow
      {INT32_MAX, INT32_MAX},      // T far above 65535, computed without overflow
      {53, 53},
      {0, 0},
  };
  for (const auto& [number, kept] : cases) {
    Report(number, "Frm_Main:Form_Load");
    EXPECT_EQ(State().lastNumber, kept) << number;
  }
}

TEST_F(ErrorManagerTest, NumberZeroShowsNothingButUpdatesTheState) {
  Report(53, "Lib_Setup:EcritureIni");
  Now() += 60;
  Report(0, "Frm_Main:Form_Load");
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(State().lastNumber, 0);
  EXPECT_EQ(State().lastTime, Now());
  EXPECT_EQ(State().lastProcedure, "Frm_Main:Form_Load");
}

TEST_F(ErrorManagerTest, DisconnectedAutomationObjectIsShownAsCritical) {
  Report(-2147417848, "Frm_Main:Form_Load", 120);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Automation Error !!!\r\n\r\nSub: Frm_Main:Form_Load:120");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(State().lastNumber, -2147417848);
}

TEST_F(ErrorManagerTest, OtherNumbersShowNothing) {
  for (int32_t number : {53, 75, -2147417847, -2147221504 + 0x108}) {
    Report(number, "Lib_Setup:EcritureIni", 10);
  }
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ErrorManagerTest, CurrentErrorIsClearedAndEventsRunOnce) {
  Report(76, "Lib_Systeme:FolderFound", 30);
  EXPECT_EQ(run_.CurrentError.Numero, 0);
  EXPECT_EQ(run_.CurrentError.Description, "");
  EXPECT_EQ(run_.CurrentError.Source, "");
  EXPECT_EQ(ui_.doEventsCount, 1);
  EXPECT_FALSE(State().busy);
  EXPECT_EQ(run_.PbTErreur.Numero, 76) << "the public record is kept";
}

TEST_F(ErrorManagerTest, NestedCallDuringTheMessageBoxIsIgnored) {
  bool busyInside = false;
  ui_.onShowMessage = [&] {
    busyInside = State().busy;
    Now() += 1;
    run_.PbTErreur.Numero = 53;
    run_.CurrentError.Numero = 53;
    GestionDesErreurs(run_, "Frm_Main:TexteDossier_Change");
    // Nothing recorded and the current error left as it was by the nested call.
    EXPECT_EQ(State().lastProcedure, "");
    EXPECT_EQ(State().lastNumber, 0);
    EXPECT_EQ(State().lastTime, 0);
    EXPECT_EQ(run_.CurrentError.Numero, 53);
  };
  Report(-2147417848, "Frm_Main:Form_Load", 120);
  EXPECT_TRUE(busyInside);
  EXPECT_EQ(ui_.doEventsCount, 1) << "the nested call did not process events";
  EXPECT_EQ(State().reports, 1u) << "the nested call is not counted";
  EXPECT_EQ(State().lastProcedure, "Frm_Main:Form_Load");
  EXPECT_FALSE(State().busy);
}

TEST_F(ErrorManagerTest, NestedCallDuringEventProcessingIsIgnored) {
  ui_.onDoEvents = [&] { Report(75, "Frm_Main:CheckAction_Click"); };
  Report(53, "Frm_Main:Form_Load");
  EXPECT_EQ(State().lastNumber, 53);
  EXPECT_EQ(State().lastProcedure, "Frm_Main:Form_Load");
  // The nested report was not logged either.
  EXPECT_FALSE(os_.LogContains("CheckAction_Click"));
}

TEST_F(ErrorManagerTest, FailingMessageBoxDoesNotStopTheOtherSteps) {
  ui_.onShowMessage = [] { throw std::runtime_error("no window"); };
  Report(-2147417848, "Frm_Main:Form_Load", 120);
  EXPECT_EQ(State().lastProcedure, "Frm_Main:Form_Load");
  EXPECT_EQ(run_.CurrentError.Numero, 0);
  EXPECT_EQ(ui_.doEventsCount, 1);
  EXPECT_FALSE(State().busy);
}

TEST_F(ErrorManagerTest, ReportIsLoggedAsOneLine) {
  Report(53, "Lib_Setup:EcritureIni", 20, "Fichier introuvable", "TX3_Setup");
  ASSERT_EQ(os_.logLines.size(), 1u);
  EXPECT_EQ(os_.logLines[0], "Err: 53 (Fichier introuvable) | Source:Lib_Setup:EcritureIni:20");
}

TEST_F(ErrorManagerTest, RepeatWithinFiveSecondsIsNotLogged) {
  Report(53, "Lib_Setup:EcritureIni", 20);
  Now() += 4;
  Report(53, "Lib_Setup:EcritureIni", 30);
  EXPECT_EQ(os_.logLines.size(), 1u);
  Now() += 5;
  Report(53, "Lib_Setup:EcritureIni", 40);
  EXPECT_EQ(os_.logLines.size(), 2u) << "five seconds apart is no repeat";
  Report(53, "Lib_Setup:LectureIni", 40);
  EXPECT_EQ(os_.logLines.size(), 3u) << "another procedure";
  Report(76, "Lib_Setup:LectureIni", 40);
  EXPECT_EQ(os_.logLines.size(), 4u) << "another number";
}

TEST_F(ErrorManagerTest, RepeatIsJudgedOnTheReducedNumber) {
  Report(-2147221504 + 5, "Lib_Public:Test");
  Report(5, "Lib_Public:Test");
  EXPECT_EQ(os_.logLines.size(), 1u);
}

TEST_F(ErrorManagerTest, RepeatIsTheSameNumberAndProcedureLessThanFiveSecondsApartEitherWay) {
  struct Case {
    int32_t number;
    const char* procedure;
    int64_t seconds;  // from the first report
    bool repeat;
  };
  const Case cases[] = {
      {53, "Lib_Setup:EcritureIni", 0, true},
      {53, "Lib_Setup:EcritureIni", 4, true},
      {53, "Lib_Setup:EcritureIni", 5, false},
      {53, "Lib_Setup:EcritureIni", -4, true},  // the clock went back
      {53, "Lib_Setup:EcritureIni", -5, false},
      {52, "Lib_Setup:EcritureIni", 1, false},
      {53, "lib_setup:ecritureini", 1, false},  // exact comparison
      {53, "Lib_Setup:EcritureIni ", 1, false},
  };
  for (const Case& c : cases) {
    run_.ErrorManager = ErrorManagerState{};
    os_.logLines.clear();
    Now() = 1000;
    Report(53, "Lib_Setup:EcritureIni");
    Now() += c.seconds;
    Report(c.number, c.procedure);
    EXPECT_EQ(os_.logLines.size(), c.repeat ? 1u : 2u)
        << c.number << " " << c.procedure << " " << c.seconds;
  }
}

TEST_F(ErrorManagerTest, FirstReportIsLogged) {
  Now() = 1000;
  Report(0, "");
  EXPECT_EQ(os_.logLines, std::vector<std::string>{"Err: 0 (desc)"});
}

TEST_F(ErrorManagerTest, ReportLayouts) {
  struct Case {
    const char* name;
    ErrorRecord record;
    const char* procedure;
    std::string expected;
  };
  const Case cases[] = {
      {"plain",
       {53, 20, "Fichier introuvable", "TX3_Setup"},
       "Lib_Setup:EcritureIni",
       "Err: 53 (Fichier introuvable) | Source:Lib_Setup:EcritureIni:20"},
      {"blank procedure",
       {53, 20, "Fichier introuvable", "X"},
       "   ",
       "Err: 53 (Fichier introuvable)"},
      {"reduced with source",
       {-2147221499, 0, "d", "Comp.Obj"},
       "Frm_Main:Form_Load",
       "Err: 5 (d) | Source:Frm_Main:Form_Load:0 | (Source: Comp.Obj)"},
      {"reduced, blank source",
       {-2147221499, 0, "d", "  "},
       "Frm_Main:Form_Load",
       "Err: 5 (d) | Source:Frm_Main:Form_Load:0"},
      {"source shown only when reduced", {53, 0, "d", "Comp.Obj"}, "", "Err: 53 (d)"},
      {"reduced, no procedure", {-2147221497, 0, "", "S"}, "", "Err: 7 () | (Source: S)"},
  };
  for (const Case& c : cases) {
    os_.logLines.clear();
    Now() += 10;
    Report(c.record.Numero, c.procedure, c.record.Ligne, c.record.Description, c.record.Source);
    EXPECT_EQ(os_.logLines, std::vector<std::string>{c.expected}) << c.name;
  }
}

TEST_F(ErrorManagerTest, LongDescriptionBreaksAfterEachSentence) {
  // 100 characters (accented letters count once) are kept as they are; 101 are broken.
  const std::string sentence = "Le fichier é. ";  // 14 characters
  std::string hundred;
  for (int i = 0; i < 7; ++i) hundred += sentence;  // 98 characters
  hundred += "ab";
  ASSERT_EQ(hundred.size(), 107u) << "seven two-byte letters";
  Report(1, "", 0, hundred, "");
  Now() += 10;
  Report(1, "", 0, hundred + "c", "");

  std::string broken;
  for (int i = 0; i < 7; ++i) broken += "Le fichier é |  ";  // the point goes too
  ASSERT_EQ(os_.logLines.size(), 2u);
  EXPECT_EQ(os_.logLines[0], "Err: 1 (" + hundred + ")");
  EXPECT_EQ(os_.logLines[1], "Err: 1 (" + broken + "abc)");
}

}  // namespace
}  // namespace tx3
