#include <string>

#include "app/frm_main.h"
#include "app/window_defaults.h"
#include "app_test_fixture.h"
#include "common/text.h"

namespace tx3::testing {
namespace {

constexpr const char* kConfig = "C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini";
constexpr const char* kSystem = "C:\\Brennic\\Tarvox\\Config\\TX3_Systeme.ini";

using FrmMainLoadTest = AppTest;

TEST_F(FrmMainLoadTest, CleanDriveShowsDefaultsAllRed) {
  w.Create();
  EXPECT_EQ(w.Caption(), "Installation d'Tarvox - Version: " + ProgramVersionText(run));
  EXPECT_EQ(w.TexteNomRadio(), "Nom de votre Radio");
  EXPECT_EQ(w.TexteNomStation(0), "Nom de la Station 1");
  for (int i = 1; i < kStationCount; ++i) EXPECT_EQ(w.TexteNomStation(i), "") << i;
  for (int i = 0; i < kFolderCount; ++i) {
    EXPECT_EQ(w.DossierRow(i).text, kDefaultFolders[i]) << i;
    EXPECT_TRUE(Red(w, i)) << i;
  }
  EXPECT_EQ(w.DossierApplication(), "C:\\Brennic\\Tarvox\\");
  EXPECT_EQ(w.StatusText(), "");
  EXPECT_EQ(Writes(), 0);
  EXPECT_EQ(run.ErrorManager.lastProcedure, "");
}

TEST_F(FrmMainLoadTest, ListsAndMarkersStartAsDesigned) {
  w.Create();
  EXPECT_EQ(w.ComboPervasive().items,
            (std::vector<std::string>{"Workgroup V12", "Workgroup V11", "Workgroup V10",
                                      "Workgroup V09", "Workgroup V08 (Windows XP)"}));
  EXPECT_EQ(w.ComboPervasive().selected, 0);
  EXPECT_EQ(w.CombodBPowerAmp().items,
            (std::vector<std::string>{"Version 15.3 (payante)", "Version 14.4 (archive)",
                                      "Version gratuite (Windows XP)"}));
  EXPECT_EQ(w.CombodBPowerAmp().selected, 0);
  ASSERT_EQ(w.ListeTX().size(), 18u);
  EXPECT_EQ(w.ListeTX().front().text, "Library");
  EXPECT_EQ(w.ListeTX()[14].text, "Tools ON AIR");
  EXPECT_EQ(w.ListeTX().back().text, "Tools Web");
  for (const CheckedRow& row : w.ListeTX()) EXPECT_TRUE(row.checked) << row.text;
  EXPECT_EQ(w.CheckTXValue(), 1);
  for (int s = 0; s < kStepCount; ++s) EXPECT_FALSE(w.CheckAction(s)) << s;
}

TEST_F(FrmMainLoadTest, ExistingDefaultFoldersAreNormal) {
  os.AddFolder("C:\\Brennic\\Tarvox\\Config");
  os.AddFolder("C:\\Kalvet");
  w.Create();
  EXPECT_FALSE(Red(w, 0));
  EXPECT_FALSE(Red(w, 1));
  EXPECT_FALSE(Red(w, 2));
  EXPECT_TRUE(Red(w, 3));
}

TEST_F(FrmMainLoadTest, DetectsTheWindowsVersionOnce) {
  w.Create();
  EXPECT_NE(run.CodeVersionWindows, 0);
}

TEST_F(FrmMainLoadTest, InitializeTakesTheProgramFolder) {
  os.executablePath = "D:\\Outils\\Setup\\tx3_setup.exe";
  w.Form_Initialize();
  EXPECT_EQ(w.DossierApplication(), "D:\\Outils\\Setup\\");
  w.Form_Load();  // then the first folder field
  EXPECT_EQ(w.DossierApplication(), "C:\\Brennic\\Tarvox\\");
}

TEST_F(FrmMainLoadTest, InitializeFailureIsSkippedSilently) {
  os.RaiseInCall("ExecutablePath", err::kOutOfMemory);
  w.Form_Initialize();
  EXPECT_EQ(w.DossierApplication(), "");
  EXPECT_EQ(run.ErrorManager.lastProcedure, "");
}

void WriteInstallation(FakePlatform& os, const std::string& configFolder,
                       const std::string& systemFile) {
  os.SetIniValue(kConfig, "Site", "Lib", "Radio Nord");
  os.SetIniValue(kConfig, "Site", "Dossier_Config_Global", configFolder);
  for (int i = 1; i <= 5; ++i) {
    os.SetIniValue(systemFile, "Base_01_Station_0" + std::to_string(i), "Lib",
                   "Station " + std::to_string(i));
  }
  os.SetIniValue(systemFile, "Dossiers_Sons_Mus", "00", "E:\\Musique\\");
  os.SetIniValue(systemFile, "Dossiers_Sons_Jin", "00", "E:\\Jingles\\");
  os.SetIniValue(systemFile, "Base_01", "Dossier_Data", "E:\\Data\\");
  os.SetIniValue(systemFile, "Base_01", "Dossier_Redist", "E:\\Redist\\");
}

TEST_F(FrmMainLoadTest, InstalledMachineShowsEveryReadBackField) {
  os.AddFolder("C:\\Brennic\\Tarvox\\Settings");
  os.AddFolder("C:\\Brennic\\Tarvox\\Config");
  os.AddFolder("E:\\Musique");
  os.AddFolder("E:\\Data");
  WriteInstallation(os, "C:\\Brennic\\Tarvox\\Config\\", kSystem);
  w.Create();
  EXPECT_EQ(w.TexteNomRadio(), "Radio Nord");
  for (int i = 0; i < kStationCount; ++i) {
    EXPECT_EQ(w.TexteNomStation(i), "Station " + std::to_string(i + 1));
  }
  EXPECT_EQ(w.DossierRow(1).text, "C:\\Brennic\\Tarvox\\Config\\");
  EXPECT_EQ(w.DossierRow(4).text, "E:\\Musique\\");
  EXPECT_EQ(w.DossierRow(5).text, "E:\\Jingles\\");
  EXPECT_EQ(w.DossierRow(6).text, "E:\\Data\\");
  EXPECT_EQ(w.DossierRow(7).text, "E:\\Redist\\");
  // The colour follows the folder read back.
  EXPECT_FALSE(Red(w, 4));
  EXPECT_TRUE(Red(w, 5));
  EXPECT_FALSE(Red(w, 6));
  EXPECT_TRUE(Red(w, 7));
  EXPECT_EQ(Writes(), 0);
}

TEST_F(FrmMainLoadTest, ConfigurationFolderIsReadFirstAndDecidesTheSystemFile) {
  WriteInstallation(os, "\\\\SRV\\Partage\\Config\\", "\\\\SRV\\Partage\\Config\\TX3_Systeme.ini");
  os.SetIniValue(kSystem, "Base_01", "Dossier_Data", "F:\\Wrong\\");
  w.Create();
  EXPECT_EQ(w.DossierRow(1).text, "\\\\SRV\\Partage\\Config\\");
  EXPECT_EQ(w.DossierRow(6).text, "E:\\Data\\");
  EXPECT_EQ(w.TexteNomStation(2), "Station 3");
}

TEST_F(FrmMainLoadTest, ConfigurationFolderWithoutTrailingBackslash) {
  WriteInstallation(os, "D:\\Conf", "D:\\Conf\\TX3_Systeme.ini");
  w.Create();
  EXPECT_EQ(w.DossierRow(1).text, "D:\\Conf");  // shown as stored
  EXPECT_EQ(w.DossierRow(7).text, "E:\\Redist\\");
  bool readConfTxt = false;
  for (const auto& r : os.profileReads)
    readConfTxt |= EqualsNoCase(r.file, "D:\\Conf\\TX3_Systeme.ini");
  EXPECT_TRUE(readConfTxt);
}

TEST_F(FrmMainLoadTest, ConfigFileIsLookedForUnderTheDefaultApplicationFolderOnly) {
  os.executablePath = "D:\\Ailleurs\\tx3_setup.exe";
  os.SetIniValue("D:\\Ailleurs\\Settings\\TX3_Config.ini", "Site", "Lib", "Pas celle-ci");
  os.SetIniValue(kConfig, "Site", "Lib", "Celle-ci");
  w.Create();
  EXPECT_EQ(w.TexteNomRadio(), "Celle-ci");
  EXPECT_EQ(w.ReadBackFolder(), "C:\\Brennic\\Tarvox\\");
}

// The batch front end's folder row 0, handed over before Create: the read-back follows it, and
// leaves the row itself to the options.
TEST_F(FrmMainLoadTest, AStartUpFolderTakesThePlaceOfTheDefaultApplicationFolder) {
  WriteInstallation(os, "D:\\Conf\\", "D:\\Conf\\TX3_Systeme.ini");
  const std::string other = "D:\\Radio\\Settings\\TX3_Config.ini";
  os.SetIniValue(other, "Site", "Lib", "Radio Sud");
  os.SetIniValue(other, "Site", "Dossier_Config_Global", "E:\\Reglages\\");
  os.SetIniValue("E:\\Reglages\\TX3_Systeme.ini", "Base_01", "Dossier_Data", "E:\\Data\\");
  w.SetReadBackFolder("D:\\Radio");
  w.Create();
  EXPECT_EQ(w.ReadBackFolder(), "D:\\Radio\\");
  EXPECT_EQ(w.TexteNomRadio(), "Radio Sud");
  EXPECT_EQ(w.DossierRow(1).text, "E:\\Reglages\\");
  EXPECT_EQ(w.DossierRow(6).text, "E:\\Data\\");
  EXPECT_EQ(w.TexteNomStation(0), "Nom de la Station 1");
  EXPECT_EQ(w.DossierRow(0).text, kDefaultFolders[0]);
  EXPECT_EQ(Writes(), 0);
}

TEST_F(FrmMainLoadTest, RowsZeroTwoThreeAreNeverReadBack) {
  os.SetIniValue(kSystem, "Base_01", "Dossier_Appli", "X:\\");
  os.SetIniValue(kConfig, "Site", "Dossier_Appli", "X:\\");
  os.SetIniValue(kSystem, "Dossiers_Logs", "00", "X:\\Logs\\");
  w.Create();
  EXPECT_EQ(w.DossierRow(0).text, kDefaultFolders[0]);
  EXPECT_EQ(w.DossierRow(2).text, kDefaultFolders[2]);
  EXPECT_EQ(w.DossierRow(3).text, kDefaultFolders[3]);
}

TEST_F(FrmMainLoadTest, MissingStationSectionsKeepTheDefaults) {
  os.SetIniValue(kSystem, "Base_01_Station_06", "Lib", "Six");
  os.SetIniValue(kSystem, "Base_01_Station_2", "Lib", "Deux sans zéro");
  os.SetIniValue(kSystem, "Base_01_Station_03", "Lib", "Trois");
  w.Create();
  EXPECT_EQ(w.TexteNomStation(0), "Nom de la Station 1");
  EXPECT_EQ(w.TexteNomStation(1), "");
  EXPECT_EQ(w.TexteNomStation(2), "Trois");
  EXPECT_EQ(w.TexteNomStation(3), "");
}

TEST_F(FrmMainLoadTest, HugeValueIsShownWhole) {
  const std::string huge(100000, 'a');
  os.SetIniValue(kConfig, "Site", "Lib", huge);
  w.Create();
  EXPECT_EQ(w.TexteNomRadio(), huge);
}

TEST_F(FrmMainLoadTest, FailingVersionDetectionDoesNotStopLoading) {
  os.SetIniValue(kSystem, "Base_01", "Dossier_Redist", "E:\\Redist\\");
  os.RaiseInCall("ReadVersion", err::kOutOfMemory);
  w.Create();
  EXPECT_EQ(w.DossierRow(7).text, "E:\\Redist\\");
  EXPECT_EQ(w.DossierApplication(), "C:\\Brennic\\Tarvox\\");
}

TEST_F(FrmMainLoadTest, ViewsAreToldOfEveryFolderAssignment) {
  int folderChanges = 0;
  w.Subscribe([&](const Change& c) { folderChanges += c.control == Control::TexteDossier; });
  w.Create();
  EXPECT_GE(folderChanges, kFolderCount + 5);  // eight defaults, then five read-back rows
}

}  // namespace
}  // namespace tx3::testing
