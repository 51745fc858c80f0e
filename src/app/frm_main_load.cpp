// Creating the window: Form_Initialize, then Form_Load with its defaults and the read-back of
// an earlier installation. Nothing is written here.
#include <string>
#include <string_view>

#include "app/frm_main.h"
#include "app/window_defaults.h"
#include "common/error.h"
#include "common/n2s.h"
#include "common/path_names.h"
#include "common/profile_transaction.h"
#include "platform/platform.h"
#include "platform/windows_path.h"
#include "settings/global_configuration.h"
#include "system/ini_access.h"
#include "system/windows_version.h"

namespace tx3 {
namespace {

constexpr std::string_view kPervasiveRows[] = {
    "Workgroup V12",
    "Workgroup V11",
    "Workgroup V10",
    "Workgroup V09",
    "Workgroup V08 (Windows XP)",
};

constexpr std::string_view kConverterRows[] = {"Version 15.3 (payante)", "Version 14.4 (archive)",
                                               "Version gratuite (Windows XP)"};

constexpr std::string_view kPackageRows[kPackageRowCount] = {
    "Library",     "Production", "Scheduler",       "Palette",        "Planner",     "Diffuseur",
    "Cartoucheur", "Launcher",   "Tools Connexion", "Tools Convert",  "Tools Data",  "Tools FTP",
    "Tools GIE",   "Tools Kill", "Tools ON AIR",    "Tools Recorder", "Tools Stats", "Tools Web",
};

ComboState ComboOf(std::span<const std::string_view> rows) {
  ComboState combo;
  for (std::string_view row : rows) combo.items.emplace_back(row);
  combo.selected = 0;
  return combo;
}

}  // namespace

std::span<const std::string_view> PervasiveRows() {
  return kPervasiveRows;
}

std::span<const std::string_view> ConverterRows() {
  return kConverterRows;
}

void FrmMain::Form_Initialize() {
  // A failure leaves DossierApplication empty until Form_Load sets it; nothing is reported.
  SkipOnError([&] {
    // The program's folder without its final separator (the runtime's App.Path).
    dossierApplication_ = CheckRep(run_, platform::ParentText(platform::Os().ExecutablePath()));
  });
}

void FrmMain::Form_Load() {
  ErrorPattern e(run_, "Frm_Main:Form_Load");
  e(10, [&] { SetCaption("Installation d'Tarvox - Version: " + ProgramVersionText(run_)); });
  e(20, [&] { SetTexteNomRadio("Nom de votre Radio"); });
  e(30, [&] { SetTexteNomStation(0, "Nom de la Station 1"); });
  for (int i = 0; i < kFolderCount; ++i) {
    e(40, [&] { SetTexteDossier(i, kDefaultFolders[i]); });
  }
  e(50, [&] {
    comboPervasive_ = ComboOf(kPervasiveRows);
    Notify(Control::ComboPervasive);
  });
  e(60, [&] {
    combodBPowerAmp_ = ComboOf(kConverterRows);
    Notify(Control::CombodBPowerAmp);
  });
  e(70, [&] {
    listeTX_.clear();
    for (std::string_view row : kPackageRows) listeTX_.push_back({std::string(row), true});
    Notify(Control::ListeTX);
  });
  e(80, [&] { GetOSDisplayString(run_); });
  e(90, [&] { dossierApplication_ = TexteDossier(row::kApplication); });
  {
    const ProfileTransaction transaction;
    ReadBack(e);
  }
}

// Every read passes the field's current text as the default, so a missing file, section or
// key keeps what the field shows. The configuration file is looked for under the application
// folder only (the default one, unless a start-up parameter names another); the system settings
// file under the configuration folder just read back.
void FrmMain::ReadBack(ErrorPattern& e) {
  std::string configFile;
  std::string systemFile;
  e(100, [&] {
    const std::string& folder = readBackFolder_.empty() ? dossierApplication_ : readBackFolder_;
    readBackFolder_ = CheckRep(run_, folder);
    configFile = readBackFolder_ + std::string(kGlobalConfigurationFile);
  });
  e(110, [&] { SetTexteNomRadio(LectureIni(run_, configFile, "Site", "Lib", radioName_)); });
  e(120, [&] {
    SetTexteDossier(row::kConfig, LectureIni(run_, configFile, "Site", "Dossier_Config_Global",
                                             TexteDossier(row::kConfig)));
  });
  e(130, [&] { systemFile = CheckRep(run_, TexteDossier(row::kConfig)) + "TX3_Systeme.ini"; });
  for (int i = 0; i < kStationCount; ++i) {
    e(140, [&] {
      const std::string section = "Base_01_Station_" + N2S(run_, i + 1, 2, 0, "0");
      SetTexteNomStation(i, LectureIni(run_, systemFile, section, "Lib", TexteNomStation(i)));
    });
  }
  struct FolderKey {
    int row;
    std::string_view section, key;
  };
  constexpr FolderKey kFolderKeys[] = {{4, "Dossiers_Sons_Mus", "00"},
                                       {5, "Dossiers_Sons_Jin", "00"},
                                       {6, "Base_01", "Dossier_Data"},
                                       {7, "Base_01", "Dossier_Redist"}};
  int line = 150;
  for (const FolderKey& k : kFolderKeys) {
    e(line, [&] {
      SetTexteDossier(k.row, LectureIni(run_, systemFile, k.section, k.key, TexteDossier(k.row)));
    });
    line += 10;
  }
}

}  // namespace tx3
