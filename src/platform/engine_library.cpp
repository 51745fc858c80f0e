// The engine library's entry point: its calling convention is a fact of the build's target.
#include "platform/platform.h"

namespace tx3::platform {
namespace {

#if defined(_WIN32) && !defined(_WIN64)
#define TX3_BTRCALL_CONV __stdcall
#else
#define TX3_BTRCALL_CONV
#endif

extern "C" {
using BtrCallFn = int16_t(TX3_BTRCALL_CONV*)(uint16_t operation, void* positionBlock,
                                             void* dataBuffer, uint32_t* dataLength,
                                             void* keyBuffer, uint8_t keyLength, int8_t keyNumber);
}

}  // namespace

int16_t EngineLibrary::BtrCall(uint16_t operation, void* positionBlock, void* dataBuffer,
                               uint32_t* dataLength, void* keyBuffer, uint8_t keyLength,
                               int8_t keyNumber) const {
  const auto entry = reinterpret_cast<BtrCallFn>(entry_);
  return entry(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength, keyNumber);
}

std::unique_ptr<EngineLibrary> Platform::LoadEngineEntry(std::string_view nameOrPath,
                                                         int32_t* error) {
  std::unique_ptr<Library> library = LoadEngineLibrary(nameOrPath, error);
  if (library == nullptr) return nullptr;
  void* entry = library->Symbol("BTRCALL");
  if (entry == nullptr) {
    *error = err::kEntryPointNotFound;
    return nullptr;
  }
  *error = 0;
  return std::make_unique<EngineLibrary>(std::move(library), entry);
}

}  // namespace tx3::platform
