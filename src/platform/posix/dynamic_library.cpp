#include "platform/posix/dynamic_library.h"
#include "platform/error_numbers.h"

#include <dlfcn.h>

#include <string>

namespace tx3::platform::posix {
namespace {

class LoadedLibrary final : public Library {
 public:
  explicit LoadedLibrary(void* handle) : handle_(handle) {}
  ~LoadedLibrary() override { ::dlclose(handle_); }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  void* Symbol(const char* name) override { return ::dlsym(handle_, name); }

 private:
  void* handle_;
};

}  // namespace

std::unique_ptr<Library> OpenLibrary(std::string_view nameOrPath, int32_t* error, bool keepLoaded) {
  const std::string name(nameOrPath);
  const int mode = RTLD_NOW | RTLD_LOCAL | (keepLoaded ? RTLD_NODELETE : 0);
  void* handle = name.empty() ? nullptr : ::dlopen(name.c_str(), mode);
  if (!handle) {
    *error = err::kLibraryNotFound;
    return nullptr;
  }
  *error = 0;
  return std::make_unique<LoadedLibrary>(handle);
}

}  // namespace tx3::platform::posix
