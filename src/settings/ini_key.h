// One key of a settings file with the value it receives when it is absent, the key tables of
// step 3's default files, and how a table is written under the keep-or-default rule.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/n2s.h"
#include "settings/keep_or_default.h"
#include "settings/step_context.h"

namespace tx3 {

struct IniKey {
  std::string section;
  std::string key;
  std::string value;
};

using IniKeys = std::vector<IniKey>;

// `n` in `width` digits with leading zeros, as numbered keys and sections are named ("07").
inline std::string Digits(RunContext& run, int n, int16_t width = 2) {
  return N2S(run, n, width, 0, "0");
}

// The general settings' default tables, each the keys of a new file with their defaults, in write
// order: "BR_Mus.ini", the suite's 333 music-scheduling defaults; "BR_Pub.ini", its 390
// advertising defaults.
IniKeys MusicDefaultKeys(RunContext& run);
IniKeys AdvertisingDefaultKeys(RunContext& run);

// Writes the keys `makeKeys` gives (statement `line` of the command) into `file` in their order,
// under the keep-or-default rule (statement `line` + 10).
inline void KeepOrDefaultAll(StepContext& ctx, SettingsWriter& writer, int line,
                             std::string_view file, const std::function<IniKeys()>& makeKeys) {
  IniKeys keys;
  ctx.e(line, [&] { keys = makeKeys(); });
  writer.AtLine(line + 10);
  for (const IniKey& k : keys) writer.KeepOrDefault(file, k.section, k.key, k.value);
}

}  // namespace tx3
