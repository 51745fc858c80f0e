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

// Roles of the folder fields.
namespace row {
inline constexpr int kApplication = 0;
inline constexpr int kConfig = 1;
inline constexpr int kLog = 2;
inline constexpr int kLogPub = 3;
inline constexpr int kMusicSounds = 4;
inline constexpr int kOtherSounds = 5;
inline constexpr int kData = 6;
inline constexpr int kRedist = 7;
}  // namespace row

}  // namespace tx3
