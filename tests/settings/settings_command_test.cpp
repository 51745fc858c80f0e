// The frame of the step commands: busy guard, folders read once, installation root, common ending.
#include "settings/settings_command.h"

#include <gtest/gtest.h>

#include "common/path_names.h"
#include "test_window.h"

namespace tx3::testing {
namespace {

constexpr std::string_view kWait = "Veuillez attendre la fin de la tâche en cours.";
constexpr std::string_view kNoConfig =
    "Le nom du dossier Config ne possède pas de sous-dossier \\Config";

using SettingsCommandTest = SettingsTest;

TEST_F(SettingsCommandTest, BusyFlagTurnsAClickAwayAndChangesNothing) {
  window.busy = true;
  ui.statusText = "en cours";
  CommandCreerSettings_Click(run, window, 5);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kWait);
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Warning);
  EXPECT_TRUE(window.busy);
  EXPECT_FALSE(window.checkAction[5]);
  EXPECT_EQ(ui.statusText, "en cours");
  EXPECT_TRUE(os.shellCalls.empty());
  EXPECT_TRUE(window.folderReads.empty());
}

TEST_F(SettingsCommandTest, ClickDuringThePackageLoopIsTurnedAwayAndTheLoopFinishes) {
  int nested = 0;
  ui.onDoEvents = [&] {
    if (nested++ == 3) CommandCreerSettings_Click(run, window, 2);
  };
  CommandCreerSettings_Click(run, window, 6);
  EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{std::string(kWait)});
  EXPECT_EQ(os.shellCalls.size(), 18u);
  EXPECT_TRUE(os.profileWrites.empty());
  EXPECT_TRUE(window.checkAction[6]);
  EXPECT_FALSE(window.checkAction[2]);
  EXPECT_FALSE(window.busy);
}

TEST_F(SettingsCommandTest, CommonEndingTicksOnlyItsBoxClearsStatusAndReleasesTheFlag) {
  for (int16_t index = 0; index < kStepCount; ++index) {
    window = TestWindow{};
    window.pervasive = -1;
    window.converter = -1;
    window.packages.assign(18, false);
    ui.statusText = "avant";
    CommandCreerSettings_Click(run, window, index);
    for (int i = 0; i < kStepCount; ++i) EXPECT_EQ(window.checkAction[i], i == index) << index;
    EXPECT_EQ(ui.statusText, "") << index;
    EXPECT_FALSE(window.busy) << index;
  }
}

TEST_F(SettingsCommandTest, ReadsTheEightFoldersOnceInOrder) {
  window.pervasive = -1;
  CommandCreerSettings_Click(run, window, 3);
  EXPECT_EQ(window.folderReads, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(SettingsCommandTest, IndexOutsideTheStepsOnlyRunsTheCommonEnding) {
  CommandCreerSettings_Click(run, window, 7);
  EXPECT_TRUE(os.profileWrites.empty());
  EXPECT_TRUE(os.shellCalls.empty());
  EXPECT_FALSE(window.busy);
  EXPECT_EQ(ui.statusText, "");
}

struct RootCase {
  const char* config;
  const char* root;
  bool warned;
};

class InstallationRootTest : public SettingsTest, public ::testing::WithParamInterface<RootCase> {};

// The root shows in the folders derived from it ("REPGRAPHIC" of a new "Br_Sys.ini").
TEST_P(InstallationRootTest, DerivesTheRootFromTheConfigSubfolder) {
  const RootCase& c = GetParam();
  os.AddFolder(c.config);
  window.folders[1] = c.config;
  CommandCreerSettings_Click(run, window, 2);
  const std::string brSys = CheckRep(run, c.config) + "Br_Sys.ini";
  EXPECT_EQ(os.IniValue(brSys, "Repertoires", "REPGRAPHIC"), std::string(c.root) + "Graph\\");
  const auto texts = ui.MessageTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front() == kNoConfig, c.warned);
  EXPECT_EQ(texts.back(), "Paramétrage créé ou MAJ");
}

INSTANTIATE_TEST_SUITE_P(
    Roots, InstallationRootTest,
    ::testing::Values(RootCase{"C:\\Radio\\Config\\", "C:\\Radio\\", false},
                      RootCase{"C:\\Radio\\Config", "C:\\Radio\\", false},
                      RootCase{"C:\\Radio\\config\\", "C:\\Radio\\config\\", true},
                      RootCase{"C:\\Radio\\Reglages\\", "C:\\Radio\\Reglages\\", true}));

TEST_F(SettingsCommandTest, RootWarningAlsoPrecedesTheDownloadCommands) {
  window.folders[1] = "C:\\Radio\\Reglages\\";
  CommandCreerSettings_Click(run, window, 5);
  EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{std::string(kNoConfig)});
  EXPECT_EQ(os.shellCalls.size(), 1u);
}

}  // namespace
}  // namespace tx3::testing
