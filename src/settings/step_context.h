// What one call of CommandCreerSettings_Click derives from the window before dispatching.
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

}  // namespace tx3
