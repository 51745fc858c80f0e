// One key of a settings file with the value it receives when it is absent.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/keep_or_default.h"

namespace tx3 {

struct IniKey {
  std::string section;
  std::string key;
  std::string value;
};

using IniKeys = std::vector<IniKey>;

// Writes `keys` into `file` in their order, under the keep-or-default rule.
inline void KeepOrDefaultAll(SettingsWriter& writer, std::string_view file, const IniKeys& keys) {
  for (const IniKey& k : keys) writer.KeepOrDefault(file, k.section, k.key, k.value);
}

}  // namespace tx3
