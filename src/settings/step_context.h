// What one call of CommandCreerSettings_Click derives from the window before dispatching, and
// the steps it dispatches to.
#pragma once

#include <array>
#include <string>

#include "common/error.h"
#include "settings/settings_window.h"
#include "system/system_context.h"

namespace tx3 {

struct StepContext {
  SystemContext& run;
  SettingsWindow& window;
  ErrorPattern& e;                                 // Frm_Main:CommandCreerSettings_Click
  std::array<std::string, kFolderCount> typed{};   // the folder fields as typed
  std::array<std::string, kFolderCount> folder{};  // N0 to N7, each ending with one backslash
  std::string racine{};                            // DossierRacine, the installation root
};

// The steps, one per button, each in its own file.
// Step 1, "Créer les dossiers": every missing folder of the folder fields.
void RunFolderStep(StepContext& ctx);
// Step 2, "Créer les paramètres structurels": "Win.ini" on older Windows versions and the global
// configuration "Settings\TX3_Config.ini" under the application folder.
void RunGlobalConfiguration(StepContext& ctx);
// Step 3, "Créer les paramètres généraux": the system settings, music and advertising defaults.
void RunGeneralSettings(StepContext& ctx);
// Steps 4 to 7: the download addresses of the database engine, the audio converter, the suite's
// components installer and its component packages, opened in the default browser.
void RunDatabaseEngineDownload(StepContext& ctx);
void RunConverterDownload(StepContext& ctx);
void RunComponentsInstaller(StepContext& ctx);
void RunPackageDownloads(StepContext& ctx);

}  // namespace tx3
