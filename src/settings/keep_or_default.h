// Writing the keys of a settings command: overwritten (global configuration) or kept when already
// stored (the keep-or-default rule of the general settings), with the count of the keys that
// could not be written, per file, for the closing message.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"

namespace tx3 {

class RunContext;
class SystemContext;

struct UnwrittenKeys {
  std::string file;
  int count = 0;
};

class SettingsWriter {
 public:
  SettingsWriter(SystemContext& run, ErrorPattern& e) : run_(run), e_(e) {}

  // The statement number the following writes report when they fail.
  void AtLine(int line) { line_ = line; }

  // Writes `value` whatever the key holds.
  void Overwrite(std::string_view file, std::string_view section, std::string_view key,
                 std::string_view value);

  // The keep-or-default rule: the stored value is written back, the default only when the key
  // is absent, so every operator edit survives and only missing keys are added.
  void KeepOrDefault(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view defaultValue);

  // Writes the files the command changed, each once; a file that cannot be written counts every
  // key the command gave it as not written.
  void Commit();

  // Files with keys EcritureIni refused, in the order their first failure happened.
  const std::vector<UnwrittenKeys>& Unwritten() const { return unwritten_; }

 private:
  SystemContext& run_;
  ErrorPattern& e_;
  int line_ = 0;
  std::vector<UnwrittenKeys> unwritten_;
  std::vector<UnwrittenKeys> attempted_;  // keys given to each file
};

// "Paramétrage créé ou MAJ", or the list of the files whose keys could not be written.
void ShowSettingsOutcome(RunContext& run, const SettingsWriter& writer);

}  // namespace tx3
