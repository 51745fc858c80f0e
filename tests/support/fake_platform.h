// An in-memory stand-in for the operating system, for the tests of every layer.
//
//   tx3::testing::FakePlatform os;              // drive C: with C:\windows, nothing else
//   tx3::testing::UsePlatform guard(os);        // support/use_platform.h: installed until
//                                               // the guard goes
//
// Files and folders: a tree of Windows paths, case-insensitive, "\" or "/" as separator. Roots are
// drives ("C:") and network shares ("\\SRV\Share"); AddFolder / AddFile create missing parents
// (and the root). FindFirst, MakeDirectory, CreateFolder, CreateFolderLike, Get/SetAttributes and
// FileSize answer from the tree as Windows does: MakeDirectory gives 75 when the entry exists, 76
// when its parent is missing, 52 for a name Windows refuses; DenyCreate makes every creation of a
// path fail.
//
// Profile functions: an INI model per file (sections and keys in the order written, names
// case-insensitive). A value already stored unchanged succeeds without a write; any other write
// succeeds only when the file's folder exists and the file is not read-only, and then makes the
// file exist in the tree (archive attribute, size of its text).
// Every read and write is recorded in profileReads / profileWrites.
//
// Scripted answers: the public fields below (version record, product type, architecture, system
// metrics, Windows folder, executable path, environment, shell results, libraries, engine files).
// The clock is one 64-bit millisecond counter: TickCount32 answers its low 32 bits; queued 32-bit
// readings (QueueTickCounts) are answered first; tickStep is added after every reading;
// DelayCall("FileSize", 1500) moves the clock on whenever that call runs.
//
// Failures: FailCall("MakeDirectory", 75) makes a call answer a failure the way that call
// reports failures (the number for int32_t calls, false / nullptr / empty / 0 otherwise), for
// every call or only the next `times` calls, optionally only for one path (case-insensitive).
// RaiseInCall makes the call raise the run-time error itself (for error-pattern tests).
// Call names are the Platform method names.
//
// Recorded: calls (every call but AppendLog, as "Name(path, detail)"), shellCalls, logLines
// (AppendLog), flushCount, loadedLibraries. Relative paths have no root here: creating them
// answers 52.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace tx3::testing {

// A library whose symbols are given by the test.
class FakeLibrary : public platform::Library {
 public:
  explicit FakeLibrary(std::map<std::string, void*> symbols) : symbols_(std::move(symbols)) {}
  void* Symbol(const char* name) override;

 private:
  std::map<std::string, void*> symbols_;
};

class FakePlatform : public platform::Platform {
 public:
  FakePlatform();

  // ---- The file tree ----
  struct Entry {
    std::string path;  // as first given (Windows form, no trailing backslash except on roots)
    bool folder = false;
    int64_t size = 0;
    uint32_t attributes = 0;
    bool unopenable = false;  // FileSize fails (75) as for a file locked by another program
  };
  // "D:" or "\\SRV\Share".
  void AddRoot(std::string_view root);
  void AddFolder(std::string_view path);
  void AddFile(std::string_view path, int64_t size = 1,
               uint32_t attributes = platform::kAttrArchive);
  void Remove(std::string_view path);  // with everything below it
  bool Exists(std::string_view path) const;
  bool IsFolder(std::string_view path) const;
  // nullptr when absent.
  const Entry* Find(std::string_view path) const;
  Entry* Find(std::string_view path);
  // Every folder and file creation of `path` fails (75) although its parent exists.
  void DenyCreate(std::string_view path);
  // All paths of the tree, roots included, in order.
  std::vector<std::string> Paths() const;

  // ---- INI model ----
  struct ProfileCall {
    std::string file, section, key, value;  // value: written value, or the default of a read
    bool succeeded = false;
  };
  std::vector<ProfileCall> profileWrites;
  std::vector<ProfileCall> profileReads;
  // The stored value, if any.
  std::optional<std::string> IniValue(std::string_view file, std::string_view section,
                                      std::string_view key) const;
  // Stores a value without a call being recorded (an earlier installation); the file is made to
  // exist in the tree when its folder exists.
  void SetIniValue(std::string_view file, std::string_view section, std::string_view key,
                   std::string_view value);
  // The file as Windows would have written it: "[Section]\r\nkey=value\r\n...", empty if absent.
  std::string IniText(std::string_view file) const;
  // Section names of the file, and key names of a section, in order.
  std::vector<std::string> IniSections(std::string_view file) const;
  std::vector<std::string> IniKeys(std::string_view file, std::string_view section) const;

  // ---- Scripted answers ----
  bool versionAvailable = true;
  platform::VersionRecord version{6, 2, 9200, 2, "", 0, 0, 0x100, 1};
  bool productInfoAvailable = true;
  uint32_t productType = 0;
  bool nativeSystemInfo = true;
  uint16_t nativeArchitecture = 9;
  uint16_t architecture = 0;  // what GetSystemInfo answers
  std::map<int32_t, int32_t> systemMetrics;
  std::string windowsDirectory = "C:\\windows";
  std::string executablePath = "C:\\Brennic\\Tarvox\\tx3_setup.exe";
  std::map<std::string, std::string> environment;

  // Clock.
  uint64_t clockMs = 1000;
  int64_t tickStep = 0;
  bool tickCount64Works = true;               // false: TickCount64 answers 0
  int64_t localClockSeconds = 1'700'000'000;  // LocalClockSeconds (not recorded as a call)
  void QueueTickCounts(std::initializer_list<uint32_t> readings);
  void DelayCall(std::string_view call, int64_t ms);

  // Shell: the answer for a file (case-sensitive), else shellResult.
  struct ShellCall {
    std::string operation, file;
    std::optional<std::string> parameters, folder;
    int32_t showCommand = 0;
  };
  intptr_t shellResult = 42;
  std::map<std::string, intptr_t> shellResults;
  std::vector<ShellCall> shellCalls;

  // DefaultEngineLibraryName (nothing, as on Linux). Libraries by name or path
  // (case-insensitive); LoadEngineLibrary of anything else fails with 48.
  std::optional<std::string> defaultEngineLibrary;
  std::map<std::string, std::map<std::string, void*>> libraries;
  std::vector<std::string> loadedLibraries;

  // Engine files, by engine path. EnginePath maps a Windows path with enginePathOf (default:
  // "/engine/" + the path with "/" for "\").
  std::function<std::string(std::string_view)> enginePathOf;
  std::map<std::string, std::string> engineFiles;
  std::map<std::string, std::string> namedFiles;  // files named on the command line
  std::set<std::string> lockedEngineFiles;

  // Folder dialog mapping: identity unless set.
  std::function<std::string(std::string_view)> windowsPathFromHost;
  std::function<std::string(std::string_view)> hostPathForDialog;

  // Recorded.
  std::vector<std::string> calls;
  std::vector<std::string> logLines;
  int flushCount = 0;  // profile commits
  int transactionDepth = 0;
  bool profileDryRun = false;
  // Files whose commit fails (the keys stay in the fake's files: only the answer says so).
  std::set<std::string> failingCommits;
  // Number of recorded calls with this name.
  int CallCount(std::string_view call) const;
  // True when a log line contains `text`.
  bool LogContains(std::string_view text) const;

  // ---- Failure knobs ----
  // times < 0: every call; onlyPath empty: any path.
  void FailCall(std::string_view call, int32_t number, int times = -1,
                std::string_view onlyPath = {});
  void RaiseInCall(std::string_view call, int32_t number, int times = -1,
                   std::string_view onlyPath = {});
  void ClearFailures();

  // ---- Platform ----
  int32_t FindFirst(std::string_view pattern, bool includeDirectories,
                    std::string* firstName) override;
  int32_t MakeDirectory(std::string_view path) override;
  bool CreateFolder(std::string_view path) override;
  bool CreateFolderLike(std::string_view templateFolder, std::string_view path) override;
  int32_t GetAttributes(std::string_view path, uint32_t* attributes) override;
  int32_t SetAttributes(std::string_view path, uint32_t attributes) override;
  int32_t FileSize(std::string_view path, int64_t* size) override;
  uint32_t TickCount32() override;
  uint64_t TickCount64() override;
  int64_t LocalClockSeconds() override { return localClockSeconds; }
  std::string Utf8ToAnsi(std::string_view utf8) override;
  std::string AnsiToUtf8(std::string_view ansi) override;
  bool ReadVersion(platform::VersionRecord* record) override;
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
  std::vector<platform::ProfileFileChange> CommitProfileWrites() override;
  void EndProfileTransaction() override;
  void SetProfileDryRun(bool dryRun) override;
  std::optional<std::string> DefaultEngineLibraryName() override { return defaultEngineLibrary; }
  std::unique_ptr<platform::Library> LoadEngineLibrary(std::string_view nameOrPath,
                                                       int32_t* error) override;
  std::string EnginePath(std::string_view path) override;
  std::string TextFromEngine(std::string_view engineText) override {
    return std::string(engineText);
  }
  bool ReadEngineFile(std::string_view enginePath, size_t maxBytes, std::string* bytes) override;
  platform::ReplaceOutcome ReplaceEngineFile(std::string_view enginePath,
                                             std::string_view bytes) override;
  std::string WindowsPathFromHost(std::string_view hostPath) override;
  std::string HostPathForDialog(std::string_view windowsPath) override;
  std::unique_ptr<platform::Library> LoadProgramModule(std::string_view /*fileName*/) override {
    return nullptr;
  }
  bool ReadNamedFile(std::string_view path, std::string* bytes) override;
  bool ReplaceNamedFile(std::string_view path, std::string_view bytes) override;
  void AppendLog(std::string_view line) override;

 private:
  struct Failure {
    std::string call;
    int32_t number = 0;
    int remaining = -1;
    std::string onlyKey;  // tree key of the path, empty for any
    bool raise = false;
  };
  struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
  };
  struct IniFile {
    std::vector<IniSection> sections;
  };

  void NotePendingChange(std::string_view file, bool existed);
  std::vector<platform::ProfileFileChange> pendingChanges_;  // since the last commit

  // Records the call, moves the clock on, and answers a scripted failure number (0: none).
  // Raises when the failure was set with RaiseInCall.
  int32_t Enter(std::string_view call, std::string_view path, std::string_view detail = {});
  int32_t AddFolderEntry(std::string_view path);
  const IniFile* IniOf(std::string_view file) const;
  void StoreIni(std::string_view file, std::string_view section, std::string_view key,
                std::string_view value);
  void SyncIniFileEntry(std::string_view file);

  std::map<std::string, Entry> tree_;  // by lower-case key
  std::set<std::string> denied_;
  std::map<std::string, IniFile> ini_;  // by tree key
  std::vector<Failure> failures_;
  std::map<std::string, int64_t> delays_;
  std::deque<uint32_t> queuedTicks_;
};

// The tree key of a Windows path: lower case, "\" separators, no trailing backslash.
std::string FakePathKey(std::string_view path);

}  // namespace tx3::testing
