// Libraries loaded at run time (the engine library, the program's modules), through dlopen.
#include <dlfcn.h>

#include <string>

#include "platform/error_numbers.h"
#include "platform/posix/host_files.h"
#include "platform/posix/posix_platform.h"

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

// dlopen with RTLD_NOW | RTLD_LOCAL; nullptr and *error = 48 when it cannot be loaded. With
// `keepLoaded` the library stays in the process when closed (RTLD_NODELETE): a module that loads
// libraries with exit handlers of their own must outlive them.
std::unique_ptr<Library> OpenLibrary(std::string_view nameOrPath, int32_t* error,
                                     bool keepLoaded = false) {
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

}  // namespace

std::unique_ptr<Library> PosixPlatform::LoadEngineLibrary(std::string_view nameOrPath,
                                                          int32_t* error) {
  return OpenLibrary(nameOrPath, error);
}

std::unique_ptr<Library> PosixPlatform::LoadProgramModule(std::string_view fileName) {
  const std::string folder = HostParent(OwnExecutable());
  for (const std::string& candidate :
       {folder + "/" + std::string(fileName),
        folder + "/../lib/tx3-setup/modules/" + std::string(fileName)}) {
    int32_t error = 0;
    if (std::unique_ptr<Library> module = OpenLibrary(candidate, &error, /*keepLoaded=*/true))
      return module;
  }
  return nullptr;
}

}  // namespace tx3::platform::posix
