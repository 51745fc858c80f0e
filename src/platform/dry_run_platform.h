// The platform of a dry run: every question goes to the real platform, nothing changes on disk.
// Folders it is asked to make are remembered and answer as existing folders afterwards; settings
// files are staged and never written (their commits answer what they would write); data files,
// attribute changes, the shell and the log are not touched.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tx3::platform {

class DryRunPlatform final : public Platform {
 public:
  // `real` (not owned) answers the questions; its profile engine is put in dry-run mode.
  explicit DryRunPlatform(Platform& real);
  ~DryRunPlatform() override;

  int32_t FindFirst(std::string_view pattern, bool includeDirectories,
                    std::string* firstName) override;
  int32_t MakeDirectory(std::string_view path) override;
  bool CreateFolder(std::string_view path) override;
  bool CreateFolderLike(std::string_view templateFolder, std::string_view path) override;
  int32_t GetAttributes(std::string_view path, uint32_t* attributes) override;
  int32_t SetAttributes(std::string_view path, uint32_t attributes) override;
  int32_t FileSize(std::string_view path, int64_t* size) override;

  uint32_t TickCount32() override { return real_.TickCount32(); }
  uint64_t TickCount64() override { return real_.TickCount64(); }
  int64_t LocalClockSeconds() override { return real_.LocalClockSeconds(); }
  std::string Utf8ToAnsi(std::string_view utf8) override { return real_.Utf8ToAnsi(utf8); }
  std::string AnsiToUtf8(std::string_view ansi) override { return real_.AnsiToUtf8(ansi); }
  bool ReadVersion(VersionRecord* record) override { return real_.ReadVersion(record); }
  bool ReadProductType(uint32_t major, uint32_t minor, uint32_t spMajor, uint32_t spMinor,
                       uint32_t* productType) override {
    return real_.ReadProductType(major, minor, spMajor, spMinor, productType);
  }
  bool HasNativeSystemInfo() override { return real_.HasNativeSystemInfo(); }
  uint16_t ProcessorArchitecture(bool native) override {
    return real_.ProcessorArchitecture(native);
  }
  int32_t SystemMetric(int32_t index) override { return real_.SystemMetric(index); }
  std::string WindowsDirectory() override { return real_.WindowsDirectory(); }
  std::string ExecutablePath() override { return real_.ExecutablePath(); }
  std::optional<std::string> GetEnv(std::string_view name) override { return real_.GetEnv(name); }

  // Nothing is opened: the shell answers success.
  intptr_t OpenInShell(std::string_view operation, std::string_view file,
                       const std::optional<std::string>& parameters,
                       const std::optional<std::string>& folder, int32_t showCommand) override;

  uint32_t ReadProfileString(std::string_view section, std::string_view key,
                             std::string_view defaultValue, std::string* value,
                             std::string_view file) override {
    return real_.ReadProfileString(section, key, defaultValue, value, file);
  }
  bool WriteProfileEntry(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file) override {
    return real_.WriteProfileEntry(section, key, value, file);
  }
  void BeginProfileTransaction() override { real_.BeginProfileTransaction(); }
  std::vector<ProfileFileChange> CommitProfileWrites() override {
    return real_.CommitProfileWrites();
  }
  void EndProfileTransaction() override { real_.EndProfileTransaction(); }
  void SetProfileDryRun(bool /*dryRun*/) override {}

  std::optional<std::string> DefaultEngineLibraryName() override {
    return real_.DefaultEngineLibraryName();
  }
  std::unique_ptr<Library> LoadEngineLibrary(std::string_view nameOrPath, int32_t* error) override {
    return real_.LoadEngineLibrary(nameOrPath, error);
  }
  std::string EnginePath(std::string_view path) override { return real_.EnginePath(path); }
  std::string TextFromEngine(std::string_view engineText) override {
    return real_.TextFromEngine(engineText);
  }
  bool ReadEngineFile(std::string_view enginePath, size_t maxBytes, std::string* bytes) override {
    return real_.ReadEngineFile(enginePath, maxBytes, bytes);
  }
  // The data file is not written: the replacement answers done.
  ReplaceOutcome ReplaceEngineFile(std::string_view enginePath, std::string_view bytes) override;

  std::string WindowsPathFromHost(std::string_view hostPath) override {
    return real_.WindowsPathFromHost(hostPath);
  }
  std::string HostPathForDialog(std::string_view windowsPath) override {
    return real_.HostPathForDialog(windowsPath);
  }
  std::unique_ptr<Library> LoadProgramModule(std::string_view fileName) override {
    return real_.LoadProgramModule(fileName);
  }
  // The files the operator names (answers, report) are the run's output, not the installation's.
  bool ReadNamedFile(std::string_view path, std::string* bytes) override {
    return real_.ReadNamedFile(path, bytes);
  }
  bool ReplaceNamedFile(std::string_view path, std::string_view bytes) override {
    return real_.ReplaceNamedFile(path, bytes);
  }
  void AppendLog(std::string_view /*line*/) override {}

 private:
  bool Made(std::string_view path) const;
  bool UnderMade(std::string_view path) const;
  int32_t Make(std::string_view path);

  Platform& real_;
  std::set<std::string> made_;  // folder keys (see the .cpp)
};

}  // namespace tx3::platform
