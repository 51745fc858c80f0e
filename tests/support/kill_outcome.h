// What a killed run left on disk, held against the trees before the run and after a whole run.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
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

// How one platform runs a kill test.
struct KillSoak {
  // Starts the whole installation, kills it after `wait` and waits for its end; false when it
  // did not start.
  std::function<bool(std::chrono::steady_clock::duration wait)> runKilledAfter;
  std::function<FileTree()> readTree;
  std::function<void()> clear;  // back to no installation at all
  std::function<bool(const std::string&)> isTemporary;
};

struct KillSoakResult {
  int landedWhileWriting = 0;  // kills that left some files old and some new
  size_t mostLeftovers = 0;    // temporary files left at once
};

// Kills `kills` runs at random instants spread over a whole run's `duration` (start-up included,
// and a little beyond), checking after each what it left (CheckKillOutcome). The next run starts
// on what the last one left, or afresh once a run got to the end. Stops at the first failure.
inline KillSoakResult RunKillSoak(const KillSoak& soak, int kills,
                                  std::chrono::steady_clock::duration duration,
                                  const FileTree& finished) {
  KillSoakResult result;
  std::mt19937 random(2026);
  soak.clear();
  FileTree before = soak.readTree();
  for (int kill = 0; kill < kills; ++kill) {
    if (!soak.runKilledAfter(duration * (random() % 1100) / 1000)) {
      ADD_FAILURE() << "the program did not start (kill " << kill << ")";
      return result;
    }
    const FileTree after = soak.readTree();
    const size_t leftovers = CheckKillOutcome(before, finished, after, kill, soak.isTemporary);
    if (::testing::Test::HasFailure()) return result;
    result.mostLeftovers = std::max(result.mostLeftovers, leftovers);
    result.landedWhileWriting += after != before && after != finished;
    if (after == finished) soak.clear();
    before = soak.readTree();
  }
  return result;
}

}  // namespace tx3::test
