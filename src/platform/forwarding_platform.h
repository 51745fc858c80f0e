// A platform that passes every call to another one: the base of the platforms that change the
// answers to a few calls (the dry run's), which override only those.
#pragma once

#include "platform/platform.h"

namespace tx3::platform {

class ForwardingPlatform : public Platform {
 public:
  // `inner` (not owned) answers every call not overridden.
  explicit ForwardingPlatform(Platform& inner) : inner_(inner) {}

  int32_t FindFirst(std::string_view pattern, bool includeDirectories,
                    std::string* firstName) override {
    return inner_.FindFirst(pattern, includeDirectories, firstName);
  }
  // The folder creations are Platform's, through this MakeDirectory: a platform that answers it
  // its own way (the dry run) makes its folders the same way.
  int32_t MakeDirectory(std::string_view path) override { return inner_.MakeDirectory(path); }
  int32_t GetAttributes(std::string_view path, uint32_t* attributes) override {
    return inner_.GetAttributes(path, attributes);
  }
  int32_t SetAttributes(std::string_view path, uint32_t attributes) override {
    return inner_.SetAttributes(path, attributes);
  }
  int32_t FileSize(std::string_view path, int64_t* size) override {
    return inner_.FileSize(path, size);
  }

  uint32_t TickCount32() override { return inner_.TickCount32(); }
  uint64_t TickCount64() override { return inner_.TickCount64(); }
  int64_t LocalClockSeconds() override { return inner_.LocalClockSeconds(); }
  std::string Utf8ToAnsi(std::string_view utf8) override { return inner_.Utf8ToAnsi(utf8); }
  std::string AnsiToUtf8(std::string_view ansi) override { return inner_.AnsiToUtf8(ansi); }
  bool ReadVersion(VersionRecord* record) override { return inner_.ReadVersion(record); }
  bool ReadProductType(uint32_t major, uint32_t minor, uint32_t spMajor, uint32_t spMinor,
                       uint32_t* productType) override {
    return inner_.ReadProductType(major, minor, spMajor, spMinor, productType);
  }
  bool HasNativeSystemInfo() override { return inner_.HasNativeSystemInfo(); }
  uint16_t ProcessorArchitecture(bool native) override {
    return inner_.ProcessorArchitecture(native);
  }
  int32_t SystemMetric(int32_t index) override { return inner_.SystemMetric(index); }
  std::string WindowsDirectory() override { return inner_.WindowsDirectory(); }
  std::string ExecutablePath() override { return inner_.ExecutablePath(); }
  std::optional<std::string> GetEnv(std::string_view name) override { return inner_.GetEnv(name); }

  intptr_t OpenInShell(std::string_view operation, std::string_view file,
                       const std::optional<std::string>& parameters,
                       const std::optional<std::string>& folder, int32_t showCommand) override {
    return inner_.OpenInShell(operation, file, parameters, folder, showCommand);
  }

  uint32_t ReadProfileString(std::string_view section, std::string_view key,
                             std::string_view defaultValue, std::string* value,
                             std::string_view file) override {
    return inner_.ReadProfileString(section, key, defaultValue, value, file);
  }
  bool WriteProfileEntry(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file) override {
    return inner_.WriteProfileEntry(section, key, value, file);
  }
  void BeginProfileTransaction() override { inner_.BeginProfileTransaction(); }
  std::vector<ProfileFileChange> CommitProfileWrites() override {
    return inner_.CommitProfileWrites();
  }
  void EndProfileTransaction() override { inner_.EndProfileTransaction(); }
  void SetProfileDryRun(bool dryRun) override { inner_.SetProfileDryRun(dryRun); }

  std::optional<std::string> DefaultEngineLibraryName() override {
    return inner_.DefaultEngineLibraryName();
  }
  std::unique_ptr<Library> LoadEngineLibrary(std::string_view nameOrPath, int32_t* error) override {
    return inner_.LoadEngineLibrary(nameOrPath, error);
  }
  std::string EnginePath(std::string_view path) override { return inner_.EnginePath(path); }
  std::string TextFromEngine(std::string_view engineText) override {
    return inner_.TextFromEngine(engineText);
  }
  bool ReadEngineFile(std::string_view enginePath, size_t maxBytes, std::string* bytes) override {
    return inner_.ReadEngineFile(enginePath, maxBytes, bytes);
  }
  ReplaceOutcome ReplaceEngineFile(std::string_view enginePath, std::string_view bytes) override {
    return inner_.ReplaceEngineFile(enginePath, bytes);
  }

  std::string WindowsPathFromHost(std::string_view hostPath) override {
    return inner_.WindowsPathFromHost(hostPath);
  }
  std::string HostPathForDialog(std::string_view windowsPath) override {
    return inner_.HostPathForDialog(windowsPath);
  }
  std::unique_ptr<Library> LoadProgramModule(std::string_view fileName) override {
    return inner_.LoadProgramModule(fileName);
  }
  bool ReadNamedFile(std::string_view path, std::string* bytes) override {
    return inner_.ReadNamedFile(path, bytes);
  }
  bool ReplaceNamedFile(std::string_view path, std::string_view bytes) override {
    return inner_.ReplaceNamedFile(path, bytes);
  }

  void AppendLog(std::string_view line) override { inner_.AppendLog(line); }
  void OpenLog() override { inner_.OpenLog(); }

 protected:
  Platform& inner() const { return inner_; }

 private:
  Platform& inner_;
};

}  // namespace tx3::platform
