// The platform of a dry run: every question goes to the real platform, nothing changes on disk.
// Folders it is asked to make are remembered and answer as existing folders afterwards; settings
// files are staged and never written (their commits answer what they would write); data files,
// attribute changes, the shell and the log are not touched. The files the operator names
// (answers, report) are the run's output, not the installation's: they are read and written.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "platform/forwarding_platform.h"

namespace tx3::platform {

class DryRunPlatform final : public ForwardingPlatform {
 public:
  // `real` (not owned) answers the questions: every call not overridden here is forwarded to it.
  // Its profile engine is put in dry-run mode.
  explicit DryRunPlatform(Platform& real);
  ~DryRunPlatform() override;

  int32_t FindFirst(std::string_view pattern, bool includeDirectories,
                    std::string* firstName) override;
  int32_t MakeDirectory(std::string_view path) override;
  int32_t GetAttributes(std::string_view path, uint32_t* attributes) override;
  int32_t SetAttributes(std::string_view path, uint32_t attributes) override;
  int32_t FileSize(std::string_view path, int64_t* size) override;

  // Nothing is opened: the shell answers success.
  intptr_t OpenInShell(std::string_view operation, std::string_view file,
                       const std::optional<std::string>& parameters,
                       const std::optional<std::string>& folder, int32_t showCommand) override;
  // The real engine stays in dry-run mode for the dry run's whole life.
  void SetProfileDryRun(bool /*dryRun*/) override {}
  // The data file is not written: the replacement answers done.
  ReplaceOutcome ReplaceEngineFile(std::string_view enginePath, std::string_view bytes) override;
  // The log is neither opened nor written.
  void AppendLog(std::string_view /*line*/) override {}
  void OpenLog() override {}

 private:
  bool Made(std::string_view path) const;
  bool UnderMade(std::string_view path) const;

  std::set<std::string> made_;  // folder keys (see the .cpp)
};

}  // namespace tx3::platform
