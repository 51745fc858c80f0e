// Engine libraries, loaded by their full path (see library_search.h for where a bare name is
// looked for).
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/error_numbers.h"
#include "platform/win32/library_search.h"
#include "platform/win32/long_path.h"
#include "platform/win32/system_info.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace tx3::platform::win32 {
namespace {

class Win32Library final : public Library {
 public:
  Win32Library(HMODULE module, DLL_DIRECTORY_COOKIE folder) : module_(module), folder_(folder) {}
  ~Win32Library() override {
    ::FreeLibrary(module_);
    if (folder_ != nullptr) ::RemoveDllDirectory(folder_);
  }
  Win32Library(const Win32Library&) = delete;
  Win32Library& operator=(const Win32Library&) = delete;

  void* Symbol(const char* name) override {
    return reinterpret_cast<void*>(::GetProcAddress(module_, name));
  }

 private:
  HMODULE module_;
  DLL_DIRECTORY_COOKIE folder_;
};

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  return length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

bool IsFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A bare name is looked for where the engine installs it, never in the current folder nor
// beside the program; run elevated, never in a folder of PATH that others may write. A path with
// a folder was written by whoever named it (TX3_BTRIEVE_LIBRARY, --engine-library): it is taken
// as written, a relative one from the current folder, as any file named to a program. The answer
// is in the form the load flags want: absolute, with backslashes.
std::optional<std::wstring> LibraryPath(std::string_view nameOrPath,
                                        std::vector<std::string>* skipped) {
  if (!IsBareName(nameOrPath)) return FullPath(Widen(nameOrPath));
  const bool elevated = RunsElevated();
  const LibrarySearch search =
      FindLibrary(nameOrPath, EnvironmentValue("PATH").value_or(""), Narrow(SystemFolder()), IsFile,
                  [elevated](const std::string& folder) {
                    return elevated && WritableByNonAdmins(ReadFolderSecurity(Widen(folder)));
                  });
  skipped->insert(skipped->end(), search.skipped.begin(), search.skipped.end());
  if (!search.found) return std::nullopt;
  return FullPath(Widen(*search.found));
}

// The engine's own DLLs lie beside it: its folder is searched first for what it loads, then the
// system folder. A system without the search flags answers "invalid parameter"; its classic
// search from the library's folder does the same.
HMODULE LoadByFullPath(const std::wstring& path) {
  HMODULE module = ::LoadLibraryExW(
      path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (module == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER)
    module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return module;
}

// The library, or nullptr and *error 48 when it cannot be loaded. The folders of PATH passed over
// while looking for a bare name are added to `skipped`.
std::unique_ptr<Library> OpenLibrary(std::string_view nameOrPath, int32_t* error,
                                     std::vector<std::string>* skipped) {
  // A missing library is answered with a number, never with the system's error box; nor is a
  // folder of PATH on a drive without its disk.
  DWORD previousMode = 0;
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  const std::optional<std::wstring> path = LibraryPath(nameOrPath, skipped);
  const HMODULE module = path ? LoadByFullPath(*path) : nullptr;
  ::SetThreadErrorMode(previousMode, nullptr);
  if (module == nullptr) {
    *error = err::kLibraryNotFound;
    return nullptr;
  }
  // What the engine loads by name later (its own parts) is found beside it.
  const std::wstring folder = path->substr(0, path->find_last_of(L'\\'));
  *error = 0;
  return std::make_unique<Win32Library>(module, ::AddDllDirectory(folder.c_str()));
}

}  // namespace

// A folder of PATH passed over is named in the log (through the platform in use: a dry run
// writes no log line).
std::unique_ptr<Library> Win32Platform::LoadEngineLibrary(std::string_view nameOrPath,
                                                          int32_t* error) {
  std::vector<std::string> skipped;
  std::unique_ptr<Library> library = OpenLibrary(nameOrPath, error, &skipped);
  for (const std::string& folder : skipped) Os().AppendLog(SkippedFolderLogLine(folder));
  return library;
}

}  // namespace tx3::platform::win32
