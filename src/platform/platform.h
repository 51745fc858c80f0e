// The one interface to the operating system, shaped after the Windows calls the tool makes.
// Paths are Windows paths in UTF-8 ("C:\Brennic\Tarvox\", "\\SRV\Share\x"); on Linux the posix
// implementation emulates drives and names (see posix/). Failures are answered with the classic
// run-time error numbers of error_numbers.h, 0 meaning success.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/error_numbers.h"
#include "platform/profile_change.h"

namespace tx3::platform {

// File attribute bits (the runtime's GetAttr / SetAttr values).
enum Attribute : uint32_t {
  kAttrReadOnly = 1,
  kAttrHidden = 2,
  kAttrSystem = 4,
  kAttrDirectory = 16,
  kAttrArchive = 32,
  kAttrAlias = 64,
};

// The extended version record (OSVERSIONINFOEXA fields the tool reads).
struct VersionRecord {
  uint32_t majorVersion = 0;
  uint32_t minorVersion = 0;
  uint32_t buildNumber = 0;
  uint32_t platformId = 0;
  std::string servicePack;  // up to 128 characters, may hold NUL characters
  uint16_t servicePackMajor = 0;
  uint16_t servicePackMinor = 0;
  uint16_t suiteMask = 0;
  uint8_t productType = 0;
};

// A dynamic library loaded at run time.
class Library {
 public:
  virtual ~Library() = default;
  // The address of an exported symbol, or nullptr.
  virtual void* Symbol(const char* name) = 0;
};

// The entry point BTRCALL of a loaded engine library, called with the calling convention the
// engine libraries of the platform use (__stdcall in a 32-bit Windows build).
class EngineLibrary {
 public:
  EngineLibrary(std::unique_ptr<Library> library, void* entry)
      : library_(std::move(library)), entry_(entry) {}
  int16_t BtrCall(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                  void* keyBuffer, uint8_t keyLength, int8_t keyNumber) const;

 private:
  std::unique_ptr<Library> library_;  // keeps the entry point loaded
  void* entry_;
};

// Outcome of the built-in engine's file replacement.
enum class ReplaceOutcome { kDone, kLocked, kFailed };

class Platform {
 public:
  virtual ~Platform() = default;

  // ---- Files and folders ----

  // The directory query (the runtime's Dir, FindFirstFile): the name of the first entry matching
  // `pattern` ("*" and "?" match in the last component, case-insensitively), folders included when
  // `includeDirectories`. A pattern ending with "\" asks for the folder itself (answers "." when
  // it exists). Sets *firstName to empty text when nothing matches.
  virtual int32_t FindFirst(std::string_view pattern, bool includeDirectories,
                            std::string* firstName) = 0;

  // The runtime's MkDir: 0, or 75 (exists / denied), 76 (parent missing), 52 (refused name).
  virtual int32_t MakeDirectory(std::string_view path) = 0;
  // The Win32 folder creations (CreateDirectoryA, CreateDirectoryExA with a template folder):
  // true when created. Both make the folder as MakeDirectory does; only Windows lends the
  // template's attributes.
  virtual bool CreateFolder(std::string_view path) { return MakeDirectory(path) == 0; }
  virtual bool CreateFolderLike(std::string_view /*templateFolder*/, std::string_view path) {
    return MakeDirectory(path) == 0;
  }

  // The runtime's GetAttr / SetAttr.
  virtual int32_t GetAttributes(std::string_view path, uint32_t* attributes) = 0;
  virtual int32_t SetAttributes(std::string_view path, uint32_t attributes) = 0;

  // Opens the file for reading and answers its full 64-bit size.
  virtual int32_t FileSize(std::string_view path, int64_t* size) = 0;

  // ---- Clock ----
  // Milliseconds since the system started: the 32-bit counter wraps after 49.7 days.
  virtual uint32_t TickCount32() = 0;
  virtual uint64_t TickCount64() = 0;
  // The local wall clock (the time zone applied), in whole seconds since the epoch.
  virtual int64_t LocalClockSeconds() = 0;

  // ---- Text ----
  // Conversions between UTF-8 and the ANSI code page of INI content (Windows-1252 on Linux, the
  // system's ANSI code page on Windows). A character the code page cannot hold becomes "?".
  virtual std::string Utf8ToAnsi(std::string_view utf8) = 0;
  virtual std::string AnsiToUtf8(std::string_view ansi) = 0;

  // ---- System information ----
  virtual bool ReadVersion(VersionRecord* record) = 0;
  // The product type of GetProductInfo; false when the call is not available.
  virtual bool ReadProductType(uint32_t major, uint32_t minor, uint32_t spMajor, uint32_t spMinor,
                               uint32_t* productType) = 0;
  // Whether the kernel exports GetNativeSystemInfo.
  virtual bool HasNativeSystemInfo() = 0;
  // wProcessorArchitecture of GetNativeSystemInfo (native) or GetSystemInfo.
  virtual uint16_t ProcessorArchitecture(bool native) = 0;
  virtual int32_t SystemMetric(int32_t index) = 0;
  // GetWindowsDirectoryA: the folder without trailing backslash; empty on failure.
  virtual std::string WindowsDirectory() = 0;
  // The running program's full path (Windows form).
  virtual std::string ExecutablePath() = 0;
  // An environment variable, or nothing.
  virtual std::optional<std::string> GetEnv(std::string_view name) = 0;

  // ---- Shell ----
  // ShellExecuteA: the shell's result (above 32 success). A null parameters or folder is nullopt.
  virtual intptr_t OpenInShell(std::string_view operation, std::string_view file,
                               const std::optional<std::string>& parameters,
                               const std::optional<std::string>& folder, int32_t showCommand) = 0;

  // ---- Profile (INI) functions ----
  // GetPrivateProfileStringA without a buffer limit: *value receives the whole value (or the
  // default); answers the number of characters copied.
  virtual uint32_t ReadProfileString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, std::string* value,
                                     std::string_view file) = 0;
  // WritePrivateProfileStringA: true when written.
  virtual bool WriteProfileEntry(std::string_view section, std::string_view key,
                                 std::string_view value, std::string_view file) = 0;

  // ---- Profile transactions ----
  // A command's profile calls: from the outermost Begin to its End, each file is resolved and
  // parsed once, reads and writes work on the parsed copy, and CommitProfileWrites writes each
  // changed file once, atomically and durably (another process's changes made meanwhile are
  // kept). Outside a transaction every write is written at once.
  virtual void BeginProfileTransaction() = 0;
  // Writes what changed since the last commit: one entry per file with changes, named as the
  // writes named it. Outside a transaction, makes the writes made so far durable and answers
  // nothing.
  virtual std::vector<ProfileFileChange> CommitProfileWrites() = 0;
  // Ends one level; the outermost commits what is left.
  virtual void EndProfileTransaction() = 0;
  // In a dry run no profile file is written: commits answer what they would write.
  virtual void SetProfileDryRun(bool dryRun) = 0;

  // ---- Database engine ----
  // The engine library loaded when none is configured: WBTRV32.DLL in a 32-bit Windows build,
  // w64btrv.dll in a 64-bit one; nothing on Linux, where the built-in engine serves.
  virtual std::optional<std::string> DefaultEngineLibraryName() = 0;
  // Loads a library by name or path; nullptr and *error (48) when it cannot be loaded.
  virtual std::unique_ptr<Library> LoadEngineLibrary(std::string_view nameOrPath,
                                                     int32_t* error) = 0;
  // Loads an engine library and resolves its BTRCALL: nullptr and *error 48 when the library
  // cannot be loaded (LoadEngineLibrary's number), 453 when it exports no BTRCALL.
  std::unique_ptr<EngineLibrary> LoadEngineEntry(std::string_view nameOrPath, int32_t* error);
  // The path in the engine's own text form, as the engine opens it. On Linux the host path the
  // emulated drives give (UTF-8 bytes; empty when the path maps to nothing); on Windows the
  // identity, in the ANSI code page.
  virtual std::string EnginePath(std::string_view path) = 0;
  // Text handed back by the engine (its key buffer) as UTF-8: the identity on Linux, from the
  // ANSI code page on Windows.
  virtual std::string TextFromEngine(std::string_view engineText) = 0;
  // The built-in engine's file writing, on engine paths: reads at most `maxBytes` of a file
  // (false when it cannot be read) and replaces a file atomically unless another process locks it.
  virtual bool ReadEngineFile(std::string_view enginePath, size_t maxBytes, std::string* bytes) = 0;
  virtual ReplaceOutcome ReplaceEngineFile(std::string_view enginePath, std::string_view bytes) = 0;

  // ---- Folder dialog support ----
  // These two exist for the emulated drives of Linux, where the dialog shows host folders.
  // Maps a host folder chosen in a dialog back to a Windows path; the identity on Windows.
  virtual std::string WindowsPathFromHost(std::string_view hostPath) = 0;
  // The host folder of a Windows path, for opening a dialog there; empty when it does not exist.
  // On Windows the identity (the dialog opens on the Windows path itself).
  virtual std::string HostPathForDialog(std::string_view windowsPath) = 0;

  // ---- Program modules ----
  // Loads a module installed with the program, never unloaded: beside the program, else in the
  // program's module folder (../lib/tx3-setup/modules/). nullptr when none loads. The Linux window
  // is one, so that a batch run does not load the window toolkit's libraries.
  virtual std::unique_ptr<Library> LoadProgramModule(std::string_view fileName) = 0;

  // ---- Files the operator names (answer files, reports) ----
  // Paths as given on the command line: host paths on Linux, Windows paths on Windows (relative
  // to the current folder). Reads the whole file; false when it cannot be read.
  virtual bool ReadNamedFile(std::string_view path, std::string* bytes) = 0;
  // Replaces the file atomically and durably by one holding `bytes`; false when it cannot.
  virtual bool ReplaceNamedFile(std::string_view path, std::string_view bytes) = 0;

  // ---- Log file ----
  // Appends one line to the log file (rotated at 1 MiB, 3 kept). Never fails towards the caller.
  virtual void AppendLog(std::string_view line) = 0;
  // Opens the log file for appending (making its folder) at the start of a run, so that a log that
  // cannot be opened is reported at once (log_path.h). Other platforms than the system's do
  // nothing.
  virtual void OpenLog() {}
};

// The platform in use: the system's own, unless a test installed another.
Platform& Os();
// Installs `platform` (not owned): a test's fake, or the dry run's platform over the system's own.
// nullptr restores the system's own.
void SetPlatform(Platform* platform);
// The system's own platform.
Platform& SystemPlatform();

}  // namespace tx3::platform
