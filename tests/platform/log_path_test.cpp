// Which file is the log, on both platforms, and the one line that says it cannot be opened.
#include "platform/log_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tx3::platform {
namespace {

TEST(LogPath, TheNamedFileWinsOverTheVariableWhichWinsOverTheDefault) {
  EXPECT_EQ(ChooseLogPath("named.log", "variable.log", "default.log"), "named.log");
  EXPECT_EQ(ChooseLogPath("", "variable.log", "default.log"), "variable.log");
  EXPECT_EQ(ChooseLogPath("", "", "default.log"), "default.log");
}

TEST(LogPath, LinuxDefaultFollowsTheStateFolder) {
  EXPECT_EQ(PosixDefaultLogPath("/var/tmp/state", "/home/op"),
            "/var/tmp/state/tx3-setup/TX3_Setup.log");
  for (const char* state : {"", "relative/state"}) {
    EXPECT_EQ(PosixDefaultLogPath(state, "/home/op"),
              "/home/op/.local/state/tx3-setup/TX3_Setup.log");
  }
}

TEST(LogPath, WindowsDefaultIsTheProfileOrProgramDataForSystem) {
  const std::string inProgramData = "C:\\ProgramData\\Tarvox\\TX3_Setup\\Logs\\TX3_Setup.log";
  struct Case {
    std::optional<std::string> localAppData;
    const char* programData;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"C:\\Users\\op\\AppData\\Local", "C:\\ProgramData",
       "C:\\Users\\op\\AppData\\Local\\TX3_Setup\\TX3_Setup.log"},
      {"C:\\Users\\op\\AppData\\Local\\", "C:\\ProgramData",
       "C:\\Users\\op\\AppData\\Local\\TX3_Setup\\TX3_Setup.log"},
      // An account named after the folder is not the SYSTEM profile.
      {"C:\\Users\\systemprofile2\\AppData\\Local", "C:\\ProgramData",
       "C:\\Users\\systemprofile2\\AppData\\Local\\TX3_Setup\\TX3_Setup.log"},
      // SYSTEM, as the 64-bit and the 32-bit program see its profile, in any case.
      {"C:\\Windows\\System32\\config\\systemprofile\\AppData\\Local", "C:\\ProgramData",
       inProgramData},
      {"C:\\WINDOWS\\SysWOW64\\config\\SystemProfile\\AppData\\Local", "C:\\ProgramData\\",
       inProgramData},
      {"c:/windows/system32/config/SYSTEMPROFILE", "C:\\ProgramData", inProgramData},
      // No profile folder at all.
      {std::nullopt, "C:\\ProgramData", inProgramData},
      {"", "C:\\ProgramData", inProgramData},
      {std::nullopt, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WindowsDefaultLogPath(c.localAppData, c.programData), c.expected)
        << c.localAppData.value_or("<none>");
  }
}

TEST(LogPath, AnUnavailableLogIsReportedOnceInFrenchNamingTheFile) {
  std::vector<std::string> lines;
  {
    const LogSettingsScope run("/nulle/part/TX3_Setup.log",
                               [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(NamedLogFile(), "/nulle/part/TX3_Setup.log");
    ReportLogUnavailable("/nulle/part/TX3_Setup.log");
    ReportLogUnavailable("/nulle/part/TX3_Setup.log");
  }
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "tx3_setup: le journal ne peut pas être ouvert : /nulle/part/TX3_Setup.log (cette "
            "exécution n'est pas journalisée)");
  EXPECT_EQ(NamedLogFile(), "") << "the scope's end restores what was before";
  {
    // The next run is told again.
    const LogSettingsScope run("", [&](std::string_view line) { lines.emplace_back(line); });
    ReportLogUnavailable("");
  }
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1],
            "tx3_setup: aucun journal : aucun dossier n'est connu pour le journal (--log FICHIER "
            "en désigne un)");
}

}  // namespace
}  // namespace tx3::platform
