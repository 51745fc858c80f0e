// Step 3 on the fake platform: the four files of a new installation checked whole against the
// reference files, the keep-or-default rule on a second run, and bad input.
#include "settings/step_context.h"

#include <gtest/gtest.h>

#include "settings/ini_key.h"
#include "settings/settings_command.h"
#include "test_window.h"

namespace tx3::testing {
namespace {

constexpr std::array<const char*, 4> kFiles = {"Br_Sys.ini", "TX3_Systeme.ini", "BR_Mus.ini",
                                               "BR_Pub.ini"};

class GeneralSettingsTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    os.AddFolder("C:\\Brennic\\Tarvox\\Config");
    window.radio = "Radio Pêche";
    window.stations = {"Été", "Nuit", "", "", ""};
  }
};

TEST_F(GeneralSettingsTest, NewInstallationMatchesTheReferenceFiles) {
  CommandCreerSettings_Click(run, window, 2);
  for (const char* file : kFiles) {
    EXPECT_EQ(os.IniText(ConfigFile(file)), os.AnsiToUtf8(ReferenceFile(file))) << file;
  }
  EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Paramétrage créé ou MAJ"});
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
  EXPECT_TRUE(window.checkAction[2]);
}

TEST_F(GeneralSettingsTest, FilesAreWrittenInOrderAndMadeDurableBeforeTheMessage) {
  int flushesAtMessage = -1;
  ui.onShowMessage = [&] { flushesAtMessage = os.flushCount; };
  CommandCreerSettings_Click(run, window, 2);
  std::vector<std::string> order;
  for (const auto& w : os.profileWrites) {
    if (order.empty() || order.back() != w.file) order.push_back(w.file);
  }
  EXPECT_EQ(order,
            (std::vector<std::string>{ConfigFile("Br_Sys.ini"), ConfigFile("TX3_Systeme.ini"),
                                      ConfigFile("BR_Mus.ini"), ConfigFile("BR_Pub.ini")}));
  EXPECT_GE(flushesAtMessage, 1);
}

TEST_F(GeneralSettingsTest, SecondRunAfterEditsKeepsEveryEdit) {
  CommandCreerSettings_Click(run, window, 2);
  const std::string mus = ConfigFile("BR_Mus.ini");
  const std::string pub = ConfigFile("BR_Pub.ini");
  const std::string longValue(300, 'x');
  os.SetIniValue(mus, "Mus_Puissance", "Puissance_02", "Très doux");
  os.SetIniValue(mus, "Mus_Quotas", "Strat_03_Mar", longValue);
  os.SetIniValue(pub, "Pub_Position_Duree_Ecrans", "Sam_18_Dur", "");
  os.SetIniValue(ConfigFile("TX3_Systeme.ini"), "Base_01", "Dossier_Data", "E:\\Data\\");
  os.SetIniValue(ConfigFile("Br_Sys.ini"), "Autre", "Cle", "étrangère");
  std::vector<std::string> before;
  for (const char* file : kFiles) before.push_back(os.IniText(ConfigFile(file)));
  window.radio = "Nouveau nom";
  window.folders[6] = "C:\\Ailleurs\\";

  ui.messages.clear();
  CommandCreerSettings_Click(run, window, 2);
  for (size_t i = 0; i < kFiles.size(); ++i) {
    EXPECT_EQ(os.IniText(ConfigFile(kFiles[i])), before[i]) << kFiles[i];
  }
  EXPECT_EQ(os.IniValue(mus, "Mus_Quotas", "Strat_03_Mar"), longValue);
  EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Paramétrage créé ou MAJ"});
}

TEST_F(GeneralSettingsTest, MissingKeysAreAddedAfterTheKeptOnes) {
  const std::string pub = ConfigFile("BR_Pub.ini");
  os.SetIniValue(pub, "Pub_Voix", "Voix_10", "Annonceur");
  CommandCreerSettings_Click(run, window, 2);
  const std::vector<std::string> voices = os.IniKeys(pub, "Pub_Voix");
  ASSERT_EQ(voices.size(), 30u);
  EXPECT_EQ(voices.front(), "Voix_10");
  EXPECT_EQ(voices[1], "Voix_01");
  EXPECT_EQ(os.IniValue(pub, "Pub_Voix", "Voix_10"), "Annonceur");
  EXPECT_EQ(os.IniValue(pub, "Pub_Voix", "Voix_11"), "Voix 11");
  EXPECT_EQ(os.IniSections(pub), (std::vector<std::string>{"Pub_Voix", "Pub_Heures_Des_Tranches",
                                                           "Pub_Position_Duree_Ecrans"}));
}

TEST_F(GeneralSettingsTest, ReadOnlySettingsFileIsCompletedWithoutLosingValues) {
  const std::string pub = ConfigFile("BR_Pub.ini");
  os.SetIniValue(pub, "Pub_Voix", "Voix_05", "Claire");
  os.Find(pub)->attributes |= platform::kAttrReadOnly;
  CommandCreerSettings_Click(run, window, 2);
  EXPECT_EQ(os.IniValue(pub, "Pub_Voix", "Voix_05"), "Claire");
  EXPECT_EQ(os.IniKeys(pub, "Pub_Voix").size(), 30u);
  EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Paramétrage créé ou MAJ"});
}

TEST_F(GeneralSettingsTest, UnwritableFileIsListedWithItsCount) {
  const std::string pub = ConfigFile("BR_Pub.ini");
  os.FailCall("WriteProfileEntry", 75, -1, pub);
  CommandCreerSettings_Click(run, window, 2);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Paramètres non écrits:\r\n\r\nC:\\Brennic\\Tarvox\\Config\\BR_Pub.ini (390 clés)");
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(os.IniKeys(ConfigFile("BR_Mus.ini"), "Mus_NewProd").size(), 63u);
  EXPECT_TRUE(window.checkAction[2]);
  EXPECT_FALSE(window.busy);
}

TEST_F(GeneralSettingsTest, ConfigFolderWithRefusedCharactersWritesNothing) {
  window.folders[1] = "C:\\Brennic\\Tar|vox\\Config\\";
  CommandCreerSettings_Click(run, window, 2);
  EXPECT_TRUE(os.profileWrites.empty());
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().icon, MsgIcon::Critical);
  EXPECT_TRUE(window.checkAction[2]);
}

TEST_F(GeneralSettingsTest, KeyThatCannotBeReadIsNotOverwritten) {
  const std::string brSys = ConfigFile("Br_Sys.ini");
  os.SetIniValue(brSys, "Div_Radio", "Nom_Radio", "Ancienne Radio");
  os.SetIniValue(brSys, "Div_Radio", "Station_002", "Soir");
  os.RaiseInCall("ReadProfileString", 75, 3);  // Nom_Radio, Station_001, Station_002
  CommandCreerSettings_Click(run, window, 2);
  EXPECT_EQ(os.IniValue(brSys, "Div_Radio", "Nom_Radio"), "Ancienne Radio");
  EXPECT_EQ(os.IniValue(brSys, "Div_Radio", "Station_002"), "Soir");
  EXPECT_EQ(os.IniValue(brSys, "Div_Radio", "Station_001"), std::nullopt);
  EXPECT_EQ(os.IniKeys(ConfigFile("BR_Pub.ini"), "Pub_Voix").size(), 30u);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().text,
            "Paramètres non écrits:\r\n\r\nC:\\Brennic\\Tarvox\\Config\\Br_Sys.ini (3 clés)");
  EXPECT_EQ(run.PbTErreur.Numero, 75);
  EXPECT_TRUE(window.checkAction[2]);
  EXPECT_FALSE(window.busy);
}

TEST_F(GeneralSettingsTest, SuccessfulReadsLeaveTheErrorRecordAsItWas) {
  run.PbTErreur = ErrorRecord{53, 40, "Fichier introuvable", "TX3_Setup"};
  CommandCreerSettings_Click(run, window, 2);
  EXPECT_EQ(run.PbTErreur.Numero, 53);
  EXPECT_EQ(run.PbTErreur.Ligne, 40);
}

TEST(DefaultKeysTest, MusicSeriesRunFrom01To09) {
  SystemContext run;
  const IniKeys keys = MusicDefaultKeys(run);
  EXPECT_EQ(keys.size(), 333u);
  std::vector<std::string> strategies;
  for (const IniKey& k : keys) {
    if (k.section == "Mus_Strategie") strategies.push_back(k.key + "=" + k.value);
    if (k.section == "Mus_Protection_Matin_AM" && k.key == "Strat_08_16") {
      EXPECT_EQ(k.value, "07");
    }
  }
  ASSERT_EQ(strategies.size(), 9u);
  EXPECT_EQ(strategies.front(), "Strat_01=Stratégie 01");
  EXPECT_EQ(strategies.back(), "Strat_09=Stratégie 09");
}

TEST(DefaultKeysTest, AdvertisingPositionsComeBeforeDurations) {
  SystemContext run;
  const IniKeys keys = AdvertisingDefaultKeys(run);
  ASSERT_EQ(keys.size(), 390u);
  EXPECT_EQ(keys[23].key, "Debut_Tranche_23");
  EXPECT_EQ(keys[24].key, "Lun_00_Pos");
  EXPECT_EQ(keys[25].key, "Mar_00_Pos");
  EXPECT_EQ(keys[24 + 167].key, "Dim_23_Pos");
  EXPECT_EQ(keys[24 + 168].key, "Lun_00_Dur");
  EXPECT_EQ(keys.back().key, "Voix_30");
  EXPECT_EQ(keys.back().value, "Voix 30");
}

}  // namespace
}  // namespace tx3::testing
