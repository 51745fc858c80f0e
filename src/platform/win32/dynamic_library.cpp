#include "platform/win32/dynamic_library.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/error_numbers.h"
#include "platform/win32/wide_text.h"

namespace tx3::platform::win32 {
namespace {

// "C:\..." or "\\server\share\...", either separator.
bool IsAbsolute(const std::wstring& path) {
  const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  if (path.size() >= 2 && separator(path[0]) && separator(path[1])) return true;
  return path.size() >= 3 && path[1] == L':' && separator(path[2]);
}

class Win32Library final : public Library {
 public:
  explicit Win32Library(HMODULE module) : module_(module) {}
  ~Win32Library() override { ::FreeLibrary(module_); }
  Win32Library(const Win32Library&) = delete;
  Win32Library& operator=(const Win32Library&) = delete;

  void* Symbol(const char* name) override {
    return reinterpret_cast<void*>(::GetProcAddress(module_, name));
  }

 private:
  HMODULE module_;
};

}  // namespace

std::unique_ptr<Library> OpenLibrary(std::string_view nameOrPath, int32_t* error) {
  // A missing library is answered with a number, never with the system's error box.
  DWORD previousMode = 0;
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  std::wstring name = Widen(nameOrPath);
  HMODULE module = nullptr;
  if (IsAbsolute(name)) {
    // The engine's own DLLs lie beside it: the search starts in the library's folder. The flag
    // wants backslashes.
    std::replace(name.begin(), name.end(), L'/', L'\\');
    module = ::LoadLibraryExW(name.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  } else {
    module = ::LoadLibraryW(name.c_str());
  }
  ::SetThreadErrorMode(previousMode, nullptr);
  if (module == nullptr) {
    *error = err::kLibraryNotFound;
    return nullptr;
  }
  *error = 0;
  return std::make_unique<Win32Library>(module);
}

}  // namespace tx3::platform::win32
