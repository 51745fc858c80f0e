// Step 1: creating the missing folders of the folder fields.
#include "settings/step_context.h"

#include <gtest/gtest.h>

#include "settings/settings_command.h"
#include "test_window.h"

namespace tx3::testing {
namespace {

using FolderStepTest = SettingsTest;

TEST_F(FolderStepTest, CreatesEveryMissingFolderAndRefreshesItsField) {
  os.AddFolder("C:\\Kalvet");
  CommandCreerSettings_Click(run, window, 0);
  for (const std::string& folder : window.folders) EXPECT_TRUE(os.IsFolder(folder)) << folder;
  EXPECT_EQ(window.folderChanges, (std::vector<int>{0, 1, 3, 4, 5, 6, 7}));
  EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Dossiers créés"});
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
  EXPECT_TRUE(window.checkAction[0]);
}

TEST_F(FolderStepTest, ShowsEachFolderBeingCreatedInTheStatusBar) {
  CommandCreerSettings_Click(run, window, 0);
  ASSERT_GE(ui.statusTexts.size(), 2u);
  EXPECT_EQ(ui.statusTexts.front(), "C:\\Brennic\\Tarvox\\");
  EXPECT_EQ(ui.statusTexts.back(), "");
}

TEST_F(FolderStepTest, ExistingAndBlankFieldsAreLeftAlone) {
  for (const std::string& folder : window.folders) os.AddFolder(folder);
  window.folders[3] = "   ";
  window.folders[5] = "";
  const int creations = os.CallCount("MakeDirectory");
  CommandCreerSettings_Click(run, window, 0);
  EXPECT_EQ(os.CallCount("MakeDirectory"), creations);
  EXPECT_TRUE(window.folderChanges.empty());
  EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Dossiers créés"});
}

TEST_F(FolderStepTest, ListsTheFoldersThatCouldNotBeCreated) {
  window.folders[2] = "Q:\\Logs\\";  // no drive Q:
  window.folders[3] = "C:\\Kalvet\r\nPub\\";
  window.folders[4] = "C:\\Musique ł\\";  // not in the settings files' code page
  os.DenyCreate("C:\\TX_Redist");
  CommandCreerSettings_Click(run, window, 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Dossiers non créés:\r\n\r\nQ:\\Logs\\\r\nC:\\Kalvet??Pub\\\r\nC:\\Musique ł\\\r\n"
            "C:\\TX_Redist\\");
  EXPECT_FALSE(os.IsFolder("C:\\Musique ł"));
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Warning);
  EXPECT_TRUE(os.IsFolder("C:\\TX_Data\\Data"));
  EXPECT_TRUE(window.checkAction[0]);
  EXPECT_FALSE(window.busy);
}

TEST_F(FolderStepTest, RefusedCharactersDoNotStopTheOtherFields) {
  window.folders[4] = "C:\\Sons|Musique\\";
  CommandCreerSettings_Click(run, window, 0);
  EXPECT_TRUE(os.IsFolder("C:\\TX_Redist"));
  EXPECT_TRUE(window.checkAction[0]);
  EXPECT_FALSE(window.busy);
}

}  // namespace
}  // namespace tx3::testing
