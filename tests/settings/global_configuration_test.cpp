// Step 2: "Win.ini" on older Windows versions and the global configuration file.
#include "settings/global_configuration.h"

#include <gtest/gtest.h>

#include "settings/settings_command.h"
#include "test_window.h"

namespace tx3::testing {
namespace {

constexpr const char* kGlobal = "C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini";
constexpr const char* kWinIni = "C:\\windows\\Win.ini";

class GlobalConfigurationTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    os.AddFolder("C:\\Brennic\\Tarvox\\Config");
    window.radio = "Radio Pêche";
  }
};

TEST_F(GlobalConfigurationTest, WritesTheGlobalFileInOrderAndCreatesItsFolder) {
  run.CodeVersionWindows = 10;
  CommandCreerSettings_Click(run, window, 1);
  EXPECT_EQ(os.IniText(kGlobal), os.AnsiToUtf8(ReferenceFile("TX3_Config.ini")));
  EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Paramétrage créé ou MAJ"});
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
  EXPECT_GE(os.flushCount, 1);
}

TEST_F(GlobalConfigurationTest, WinIniOnlyOutsideVistaToWindows10) {
  struct Case {
    int32_t code;
    bool written;
  };
  for (const Case c :
       {Case{5, true}, Case{2003, true}, Case{2000, true}, Case{0, true}, Case{6, false},
        Case{7, false}, Case{8, false}, Case{10, false}, Case{11, false}, Case{12, true}}) {
    os.Remove(kWinIni);
    run.CodeVersionWindows = c.code;
    CommandCreerSettings_Click(run, window, 1);
    EXPECT_EQ(os.Exists(kWinIni), c.written) << c.code;
    if (c.written) {
      EXPECT_EQ(os.IniText(kWinIni), os.AnsiToUtf8(ReferenceFile("Win.ini")));
    }
  }
}

TEST_F(GlobalConfigurationTest, EveryRunReplacesTheRadioName) {
  run.CodeVersionWindows = 10;
  CommandCreerSettings_Click(run, window, 1);
  window.radio = "Autre Radio";
  CommandCreerSettings_Click(run, window, 1);
  EXPECT_EQ(os.IniValue(kGlobal, "Site", "Lib"), "Autre Radio");
}

TEST_F(GlobalConfigurationTest, MissingConfigFolderWritesNothingAndStillTicks) {
  for (int16_t index : {1, 2}) {
    window = TestWindow{};
    window.folders[1] = "C:\\Ailleurs\\Config\\";
    ui.messages.clear();
    CommandCreerSettings_Click(run, window, index);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Dossier de config non trouvé:\r\n\r\nC:\\Ailleurs\\Config\\");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(os.profileWrites.empty());
    EXPECT_TRUE(window.checkAction[index]);
  }
}

TEST_F(GlobalConfigurationTest, BlankConfigFolderIsNotFound) {
  window.folders[1] = "  ";
  CommandCreerSettings_Click(run, window, 1);
  EXPECT_TRUE(os.profileWrites.empty());
  EXPECT_EQ(ui.messages.back().icon, MsgIcon::Critical);
}

TEST_F(GlobalConfigurationTest, UnwrittenKeysAreCountedPerFile) {
  run.CodeVersionWindows = 5;
  os.AddFile(kWinIni, 10, platform::kAttrArchive);
  os.FailCall("WriteProfileEntry", 75, -1, kWinIni);
  os.FailCall("SetAttributes", 75, -1, kWinIni);
  CommandCreerSettings_Click(run, window, 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Paramètres non écrits:\r\n\r\nC:\\windows\\Win.ini (3 clés)");
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(os.IniValue(kGlobal, "Base_01", "Dossier_Config_Global"),
            "C:\\Brennic\\Tarvox\\Config\\");
  EXPECT_TRUE(window.checkAction[1]);
}

}  // namespace
}  // namespace tx3::testing
