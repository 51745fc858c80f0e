// "Br_Sys.ini" and "TX3_Systeme.ini": stations, folders, keep-or-default.
#include "settings/system_settings.h"

#include <gtest/gtest.h>

#include "settings/settings_command.h"
#include "test_window.h"

namespace tx3::testing {
namespace {

class SystemSettingsTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    os.AddFolder("C:\\Brennic\\Tarvox\\Config");
  }
  std::optional<std::string> BrSys(std::string_view section, std::string_view key) const {
    return os.IniValue(ConfigFile("Br_Sys.ini"), section, key);
  }
  std::optional<std::string> Systeme(std::string_view section, std::string_view key) const {
    return os.IniValue(ConfigFile("TX3_Systeme.ini"), section, key);
  }
};

TEST_F(SystemSettingsTest, StationsStopAtTheFirstBlankField) {
  window.stations = {"A", "B", " ", "D", ""};
  CommandCreerSettings_Click(run, window, 2);
  EXPECT_EQ(BrSys("Div_Radio", "Station_001"), "A");
  EXPECT_EQ(BrSys("Div_Radio", "Station_002"), "B");
  EXPECT_EQ(BrSys("Div_Radio", "Station_003"), std::nullopt);
  EXPECT_EQ(BrSys("Div_Radio", "Station_004"), std::nullopt);
  EXPECT_EQ(BrSys("Stations", "NB_MAX"), "2");
  EXPECT_EQ(Systeme("Base_01", "NbStation"), "2");
  EXPECT_EQ(Systeme("Base_01_Station_02", "Lib"), "B");
  EXPECT_TRUE(os.IniKeys(ConfigFile("TX3_Systeme.ini"), "Base_01_Station_03").empty());
  EXPECT_TRUE(BrSys("Repertoire_Station_002", "000_00").has_value());
  EXPECT_EQ(BrSys("Repertoire_Station_003", "000_00"), std::nullopt);
}

TEST_F(SystemSettingsTest, NoStationNamedGivesStation1) {
  window.stations = {"  ", "B", "", "", ""};
  CommandCreerSettings_Click(run, window, 2);
  EXPECT_EQ(window.stations[0], "Station 1");
  EXPECT_EQ(BrSys("Div_Radio", "Station_001"), "Station 1");
  EXPECT_EQ(BrSys("Stations", "NB_MAX"), "1");
  EXPECT_EQ(Systeme("Base_01_Station_01", "Lib"), "Station 1");
}

TEST_F(SystemSettingsTest, StationNamesAreWrittenAsTyped) {
  window.stations = {" Matin ", "", "", "", ""};
  CommandCreerSettings_Click(run, window, 2);
  EXPECT_EQ(os.profileWrites[1].key, "Station_001");
  EXPECT_EQ(os.profileWrites[1].value, " Matin ");
}

TEST_F(SystemSettingsTest, CategoryFoldersOfEachStation) {
  window.folders[4] = "C:\\TX_Sons\\Sons\\Musique";  // normalised with its backslash
  window.stations = {"A", "B", "", "", ""};
  CommandCreerSettings_Click(run, window, 2);
  for (const char* section : {"Repertoire_Station_001", "Repertoire_Station_002"}) {
    EXPECT_EQ(BrSys(section, "000_00"), "O,C:\\TX_Sons\\Sons\\Musique\\");
    EXPECT_EQ(BrSys(section, "TMP_00"), "O,C:\\TX_Data\\Sons\\Autre\\");
  }
  EXPECT_EQ(BrSys("Repertoire_Station_UNC_001", "000_00"), "C:\\TX_Sons\\Sons\\Musique\\");
  EXPECT_EQ(BrSys("Repertoire_Station_UNC_002", "JIN_00"), "C:\\TX_Data\\Sons\\Autre\\");
  EXPECT_EQ(BrSys("UNC_Actif002", "PRE_00"), "ON");
  for (const char* code : {"000", "JIN", "LIN", "RUB", "INF", "PUB", "PRE", "TMP"}) {
    const std::string key = std::string(code) + "_LOCK_00";
    EXPECT_EQ(BrSys("Repertoire_Station_002", key), "OFF") << key;
    EXPECT_EQ(BrSys("Repertoire_Station_UNC_001", key), "OFF") << key;
  }
  EXPECT_EQ(Systeme("Dossiers_Sons_Mus", "00"), "C:\\TX_Sons\\Sons\\Musique\\");
  EXPECT_EQ(Systeme("Dossiers_Sons_Tmp", "00"), "C:\\TX_Data\\Sons\\Autre\\");
}

TEST_F(SystemSettingsTest, StationSectionsFollowEachOther) {
  window.stations = {"A", "B", "", "", ""};
  CommandCreerSettings_Click(run, window, 2);
  const auto sections = os.IniSections(ConfigFile("Br_Sys.ini"));
  const std::vector<std::string> tail(sections.end() - 6, sections.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"Repertoire_Station_001", "Repertoire_Station_UNC_001",
                                            "UNC_Actif001", "Repertoire_Station_002",
                                            "Repertoire_Station_UNC_002", "UNC_Actif002"}));
}

TEST_F(SystemSettingsTest, SecondRunKeepsOperatorEditsEvenWhenTheWindowChanged) {
  CommandCreerSettings_Click(run, window, 2);
  os.SetIniValue(ConfigFile("Br_Sys.ini"), "Repertoires", "REPLOG", "D:\\Logs\\");
  os.SetIniValue(ConfigFile("Br_Sys.ini"), "Users", "USER", "");
  window.folders[2] = "C:\\AutreLog\\";
  CommandCreerSettings_Click(run, window, 2);
  EXPECT_EQ(BrSys("Repertoires", "REPLOG"), "D:\\Logs\\");
  EXPECT_EQ(BrSys("Users", "USER"), "");  // an empty value stays empty
  EXPECT_EQ(BrSys("Repertoires_UNC", "REPLOG"), "C:\\Kalvet\\");
}

TEST_F(SystemSettingsTest, OneMoreStationAddsItsKeysButKeepsTheCounts) {
  CommandCreerSettings_Click(run, window, 2);
  window.stations[1] = "Deux";
  CommandCreerSettings_Click(run, window, 2);
  EXPECT_EQ(BrSys("Div_Radio", "Station_002"), "Deux");
  EXPECT_EQ(BrSys("Repertoire_Station_UNC_002", "RUB_LOCK_00"), "OFF");
  EXPECT_EQ(Systeme("Base_01_Station_02", "Actif"), "1");
  EXPECT_EQ(BrSys("Stations", "NB_MAX"), "1");
  EXPECT_EQ(Systeme("Base_01", "NbStation"), "1");
}

TEST(SystemKeysTest, KeyCountsFollowTheStationCount) {
  SystemContext run;
  SystemInputs in;
  for (int n = 1; n <= 5; ++n) {
    in.stations.assign(n, "S");
    EXPECT_EQ(BrSysKeys(run, in).size(), 1u + n + 2 + 14 + 13 + 14 + 40u * n) << n;
    EXPECT_EQ(SystemeKeys(run, in).size(), 13u + 2u * n + 8 + 1) << n;
  }
}

}  // namespace
}  // namespace tx3::testing
