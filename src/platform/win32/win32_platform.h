// The platform on Windows: the interface on the system's own wide (W) calls, UTF-8 at the
// interface, the ANSI code page for INI content and the engine's paths.
#pragma once

#include "platform/log_file.h"
#include "platform/platform.h"
#include "platform/profile_engine.h"
#include "platform/profile_transactions.h"
#include "platform/win32/profile_io.h"
#include "platform/win32/win_ini.h"

namespace tx3::platform::win32 {

class Win32Platform : public Platform {
 public:
  Win32Platform() = default;

  int32_t FindFirst(std::string_view pattern, bool includeDirectories,
                    std::string* firstName) override;
  int32_t MakeDirectory(std::string_view path) override;
  bool CreateFolderLike(std::string_view templateFolder, std::string_view path) override;
  int32_t GetAttributes(std::string_view path, uint32_t* attributes) override;
  int32_t SetAttributes(std::string_view path, uint32_t attributes) override;
  int32_t FileSize(std::string_view path, int64_t* size) override;

  uint32_t TickCount32() override;
  uint64_t TickCount64() override;
  int64_t LocalClockSeconds() override;

  std::string Utf8ToAnsi(std::string_view utf8) override;
  std::string AnsiToUtf8(std::string_view ansi) override;

  bool ReadVersion(VersionRecord* record) override;
  bool ReadProductType(uint32_t major, uint32_t minor, uint32_t spMajor, uint32_t spMinor,
                       uint32_t* productType) override;
  bool HasNativeSystemInfo() override;
  uint16_t ProcessorArchitecture(bool native) override;
  int32_t SystemMetric(int32_t index) override;
  std::string WindowsDirectory() override;
  std::string ExecutablePath() override;
  std::optional<std::string> GetEnv(std::string_view name) override;

  intptr_t OpenInShell(std::string_view operation, std::string_view file,
                       const std::optional<std::string>& parameters,
                       const std::optional<std::string>& folder, int32_t showCommand) override;

  uint32_t ReadProfileString(std::string_view section, std::string_view key,
                             std::string_view defaultValue, std::string* value,
                             std::string_view file) override;
  bool WriteProfileEntry(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file) override;
  void BeginProfileTransaction() override;
  std::vector<ProfileFileChange> CommitProfileWrites() override;
  void EndProfileTransaction() override;
  void SetProfileDryRun(bool dryRun) override;

  std::optional<std::string> DefaultEngineLibraryName() override;
  std::unique_ptr<Library> LoadEngineLibrary(std::string_view nameOrPath, int32_t* error) override;
  std::string EnginePath(std::string_view path) override;
  std::string TextFromEngine(std::string_view engineText) override;
  bool ReadEngineFile(std::string_view enginePath, size_t maxBytes, std::string* bytes) override;
  ReplaceOutcome ReplaceEngineFile(std::string_view enginePath, std::string_view bytes) override;

  std::string WindowsPathFromHost(std::string_view hostPath) override;
  std::string HostPathForDialog(std::string_view windowsPath) override;

  std::unique_ptr<Library> LoadProgramModule(std::string_view fileName) override;
  bool ReadNamedFile(std::string_view path, std::string* bytes) override;
  bool ReplaceNamedFile(std::string_view path, std::string_view bytes) override;

  void AppendLog(std::string_view line) override;
  void OpenLog() override;

  // The profile engine of this platform, on full Windows paths.
  ProfileEngine& profiles() { return profiles_; }

 private:
  // The full path of a profile file (ProfileFilePath).
  std::string ProfilePath(std::string_view file);

  SystemLogHost logHost_;
  LogFile log_{logHost_};
  SystemAnsiCodec codec_;
  Win32ProfileIo profileIo_;
  ProfileEngine profiles_{profileIo_, codec_};
  ProfileTransactions transactions_{profiles_};
  WinIniWrites winIni_;
  bool profileDryRun_ = false;  // Win.ini, which the system writes, is not written either
};

}  // namespace tx3::platform::win32
