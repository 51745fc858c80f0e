// What a commit of profile writes did to one file: for the batch report and the dry run.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tx3::platform {

// One key the commit wrote (UTF-8): its stored value before (none when the key was added).
struct ProfileKeyChange {
  std::string section;
  std::string key;
  std::optional<std::string> before;
  std::string after;
};

struct ProfileFileChange {
  std::string file;
  int added = 0;    // keys that were not in the file
  int changed = 0;  // keys whose stored value was replaced
  bool written = false;
  std::vector<ProfileKeyChange> keys;  // in the order they were written
};

}  // namespace tx3::platform
