// The system settings files "Br_Sys.ini" and "TX3_Systeme.ini" of the configuration folder.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "settings/ini_key.h"
#include "settings/step_context.h"

namespace tx3 {

class RunContext;

// What the two files are made from.
struct SystemInputs {
  std::array<std::string, kFolderCount> folder;  // N0 to N7
  std::string racine;                            // DossierRacine
  std::string radio;                             // TexteNomRadio
  std::vector<std::string> stations;             // stations 1 to n, as typed
};

// The keys of each file with their defaults, in write order.
IniKeys BrSysKeys(RunContext& run, const SystemInputs& in);
IniKeys SystemeKeys(RunContext& run, const SystemInputs& in);

// Counts the stations, then completes both files under the keep-or-default rule.
void WriteSystemSettings(StepContext& ctx, SettingsWriter& writer);

}  // namespace tx3
