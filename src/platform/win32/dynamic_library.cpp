#include "platform/win32/dynamic_library.h"

#include <windows.h>

#include "platform/error_numbers.h"
#include "platform/win32/wide_text.h"

namespace tx3::platform::win32 {
namespace {

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
  const HMODULE module = ::LoadLibraryW(Widen(nameOrPath).c_str());
  ::SetThreadErrorMode(previousMode, nullptr);
  if (module == nullptr) {
    *error = err::kLibraryNotFound;
    return nullptr;
  }
  *error = 0;
  return std::make_unique<Win32Library>(module);
}

}  // namespace tx3::platform::win32
