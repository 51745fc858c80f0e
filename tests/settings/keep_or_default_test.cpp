// The keep-or-default rule and the count of unwritten keys per file.
#include "settings/keep_or_default.h"

#include <gtest/gtest.h>

#include "test_window.h"

namespace tx3::testing {
namespace {

class KeepOrDefaultTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    os.AddFolder("C:\\Cfg");
  }
  ErrorPattern e{run, "Frm_Main:CommandCreerSettings_Click"};
  SettingsWriter writer{run, e};

  // The text of the command's closing message.
  std::string Outcome() {
    ShowSettingsOutcome(run, writer);
    return ui.messages.back().text;
  }
};

TEST_F(KeepOrDefaultTest, StoredValuesWinOverDefaultsAndOverwriteReplacesThem) {
  os.SetIniValue("C:\\Cfg\\a.ini", "S", "Kept", "operator");
  os.SetIniValue("C:\\Cfg\\a.ini", "S", "Empty", "");
  os.SetIniValue("C:\\Cfg\\a.ini", "S", "Replaced", "old");
  writer.KeepOrDefault("C:\\Cfg\\a.ini", "S", "Kept", "default");
  writer.KeepOrDefault("C:\\Cfg\\a.ini", "S", "Empty", "default");
  writer.KeepOrDefault("C:\\Cfg\\a.ini", "S", "Added", "default");
  writer.Overwrite("C:\\Cfg\\a.ini", "S", "Replaced", "new");
  EXPECT_EQ(os.IniText("C:\\Cfg\\a.ini"),
            "[S]\r\nKept=operator\r\nEmpty=\r\nReplaced=new\r\nAdded=default\r\n");
  EXPECT_TRUE(writer.Unwritten().empty());
}

TEST_F(KeepOrDefaultTest, UnwrittenKeysAreCountedPerFileInOrderOfFirstFailure) {
  os.FailCall("WriteProfileEntry", 75, -1, "C:\\Cfg\\b.ini");
  os.FailCall("WriteProfileEntry", 75, -1, "C:\\Cfg\\c.ini");
  writer.KeepOrDefault("C:\\Cfg\\c.ini", "S", "K1", "v");
  writer.KeepOrDefault("C:\\Cfg\\a.ini", "S", "K1", "v");
  writer.KeepOrDefault("C:\\Cfg\\b.ini", "S", "K1", "v");
  writer.Overwrite("C:\\Cfg\\c.ini", "S", "K2", "v");
  writer.Overwrite("C:\\Cfg\\a.ini", "", "K2", "v");  // refused: blank section
  EXPECT_EQ(Outcome(),
            "Paramètres non écrits:\r\n\r\nC:\\Cfg\\c.ini (2 clés)\r\nC:\\Cfg\\b.ini (1 clés)\r\n"
            "C:\\Cfg\\a.ini (1 clés)");
}

TEST_F(KeepOrDefaultTest, AFileWhoseCommitFailsCountsEveryKeyItWasGiven) {
  os.BeginProfileTransaction();
  os.FailCall("WriteProfileEntry", 75, 1, "C:\\Cfg\\b.ini");
  os.failingCommits = {"C:\\Cfg\\b.ini"};
  writer.Overwrite("C:\\Cfg\\b.ini", "S", "K1", "v");  // refused at once
  writer.Overwrite("C:\\Cfg\\b.ini", "S", "K2", "v");
  writer.KeepOrDefault("C:\\Cfg\\b.ini", "S", "K3", "v");
  writer.Overwrite("C:\\Cfg\\a.ini", "S", "K1", "v");
  writer.Commit();
  os.EndProfileTransaction();
  EXPECT_EQ(Outcome(), "Paramètres non écrits:\r\n\r\nC:\\Cfg\\b.ini (3 clés)");
  ASSERT_EQ(run.Changes.profileFiles.size(), 2u);
  EXPECT_FALSE(run.Changes.profileFiles[0].written);
  EXPECT_TRUE(run.Changes.profileFiles[1].written);
}

TEST_F(KeepOrDefaultTest, OutcomeMessageDependsOnUnwrittenKeys) {
  ShowSettingsOutcome(run, writer);
  os.FailCall("WriteProfileEntry", 75, -1, "C:\\Cfg\\b.ini");
  writer.Overwrite("C:\\Cfg\\b.ini", "S", "K", "v");
  ShowSettingsOutcome(run, writer);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "Paramétrage créé ou MAJ");
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(ui.messages[1].text, "Paramètres non écrits:\r\n\r\nC:\\Cfg\\b.ini (1 clés)");
  EXPECT_EQ(ui.messages[1].icon, MsgIcon::Warning);
}

}  // namespace
}  // namespace tx3::testing
