// What a killed run left on disk, held against the trees before the run and after a whole run.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

namespace tx3::test {

// Path to content.
using FileTree = std::map<std::string, std::string>;

// How many times a kill test kills the program: TX3_KILLS when set (the long soak asks more),
// else `byDefault`.
inline int KillCount(int byDefault) {
  const char* asked = std::getenv("TX3_KILLS");
  return asked != nullptr && std::atoi(asked) > 0 ? std::atoi(asked) : byDefault;
}

// Every entry is as before the run or as a finished run left it, and none is lost; temporary
// files are counted, not compared. Answers that count; a failure is added to the running test.
inline size_t CheckKillOutcome(const FileTree& before, const FileTree& finished,
                               const FileTree& after, int kill,
                               const std::function<bool(const std::string&)>& isTemporary) {
  size_t leftovers = 0;
  for (const auto& [path, bytes] : after) {
    if (isTemporary(path)) {
      ++leftovers;
      continue;
    }
    const auto old = before.find(path);
    const auto done = finished.find(path);
    EXPECT_TRUE((old != before.end() && old->second == bytes) ||
                (done != finished.end() && done->second == bytes))
        << path << " is torn after kill " << kill;
  }
  for (const auto& [path, bytes] : before) {
    EXPECT_TRUE(after.contains(path) || isTemporary(path)) << path << " lost at kill " << kill;
  }
  return leftovers;
}

}  // namespace tx3::test
