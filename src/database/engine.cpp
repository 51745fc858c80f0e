// The engine binding: which engine serves, and the marshalling of one BTRCALL.
#include "database/engine.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "database/builtin_engine.h"
#include "platform/platform.h"

namespace tx3 {

namespace {

constexpr std::string_view kLibraryVariable = "TX3_BTRIEVE_LIBRARY";

// The library named on the command line; set before the run's window is created.
std::mutex namedLibraryMutex;
std::string namedLibrary;

class LibraryEngine final : public Engine {
 public:
  explicit LibraryEngine(std::unique_ptr<platform::EngineLibrary> library)
      : library_(std::move(library)) {}

  int16_t BtrCall(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                  void* keyBuffer, uint8_t keyLength, int8_t keyNumber) override {
    return library_->BtrCall(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength,
                             keyNumber);
  }
  bool IsLibrary() const override { return true; }

 private:
  std::unique_ptr<platform::EngineLibrary> library_;
};

// The engine form of a key text: the path mapped for the engine, its trailing blanks kept (the
// second Create attempt ends the name with a blank, as the engine's naming rule allows).
std::string EngineKey(std::string_view key) {
  const std::string path = TrimRight(key);
  if (path.empty()) return std::string(key);
  return platform::Os().EnginePath(path) + std::string(key.size() - path.size(), ' ');
}

// A narrow, NUL-terminated copy of `bytes` in a buffer of at least `minimum` bytes.
std::vector<char> NarrowCopy(std::string_view bytes, size_t minimum) {
  std::vector<char> buffer(std::max(bytes.size() + 1, minimum), '\0');
  std::memcpy(buffer.data(), bytes.data(), bytes.size());
  return buffer;
}

}  // namespace

EngineLibraryScope::EngineLibraryScope(std::string named) {
  const std::lock_guard<std::mutex> lock(namedLibraryMutex);
  previous_ = std::exchange(namedLibrary, std::move(named));
}

EngineLibraryScope::~EngineLibraryScope() {
  const std::lock_guard<std::mutex> lock(namedLibraryMutex);
  namedLibrary = std::move(previous_);
}

std::optional<std::string> EngineLibraryName() {
  {
    const std::lock_guard<std::mutex> lock(namedLibraryMutex);
    if (!namedLibrary.empty()) return namedLibrary;
  }
  std::optional<std::string> configured = platform::Os().GetEnv(kLibraryVariable);
  if (configured && !configured->empty()) return configured;
  return platform::Os().DefaultEngineLibraryName();
}

EngineLoad LoadEngine() {
  const std::optional<std::string> name = EngineLibraryName();
  if (!name) return {std::make_unique<BuiltinEngine>(), {}};
  int32_t error = 0;
  std::unique_ptr<platform::EngineLibrary> library = platform::Os().LoadEngineEntry(*name, &error);
  if (library == nullptr) {
    TraceLog("Err: " + ToText(error) +
             (error == err::kEntryPointNotFound ? ": No BTRCALL in: "
                                                : ": Engine library not loaded: ") +
             *name);
    return {nullptr, *name};
  }
  return {std::make_unique<LibraryEngine>(std::move(library)), *name};
}

int16_t CallEngine(Engine& engine, uint16_t operation, std::string* positionBlock,
                   BtrFileBuf* dataBuffer, int32_t* dataLength, std::string* keyBuffer,
                   int16_t keyLength, int16_t keyNumber) {
  const std::string key = EngineKey(*keyBuffer);
  const std::string bare =
      LeftChars(*keyBuffer, static_cast<size_t>(std::max<int16_t>(keyLength, 0)));
  const size_t keyBytes =
      bare == TrimRight(*keyBuffer) ? TrimRight(key).size() : EngineKey(bare).size();
  if (keyBytes == 0 || keyBytes > kMaxEngineKeyLength) return btrstatus::kInvalidFileName;

  const std::string block = platform::Os().Utf8ToAnsi(*positionBlock);
  std::vector<char> blockBytes = NarrowCopy(block, kPositionBlockSize + 1);
  std::vector<char> keyBytesBuffer = NarrowCopy(key, kMaxEngineKeyLength + 1);
  CreateImage image = ToImage(*dataBuffer);
  auto length = static_cast<uint32_t>(*dataLength);

  const int16_t status =
      engine.BtrCall(operation, blockBytes.data(), image.data(), &length, keyBytesBuffer.data(),
                     static_cast<uint8_t>(keyBytes), static_cast<int8_t>(keyNumber));

  *positionBlock = platform::Os().AnsiToUtf8(std::string_view(blockBytes.data(), block.size()));
  *keyBuffer = platform::Os().TextFromEngine(std::string_view(keyBytesBuffer.data(), key.size()));
  FromImage(image, dataBuffer);
  *dataLength = static_cast<int32_t>(length);
  return status;
}

}  // namespace tx3
