// The engine binding: which engine serves, and the marshalling of one BTRCALL.
#include "database/engine.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "database/builtin_engine.h"
#include "platform/platform.h"

namespace tx3 {

namespace {

constexpr std::string_view kLibraryVariable = "TX3_BTRIEVE_LIBRARY";

class LibraryEngine final : public Engine {
 public:
  LibraryEngine(std::unique_ptr<platform::Library> library, BtrCallFn entry)
      : library_(std::move(library)), entry_(entry) {}

  int16_t BtrCall(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                  void* keyBuffer, uint8_t keyLength, int8_t keyNumber) override {
    return entry_(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength,
                  keyNumber);
  }
  bool IsLibrary() const override { return true; }

 private:
  std::unique_ptr<platform::Library> library_;
  BtrCallFn entry_;
};

// Text as the engine reads it: the ANSI code page on Windows, host bytes (UTF-8) on Linux.
std::string ToEngineText(std::string_view text) {
#ifdef _WIN32
  return Utf8ToAnsi(text);
#else
  return std::string(text);
#endif
}

std::string FromEngineText(std::string_view bytes) {
#ifdef _WIN32
  return AnsiToUtf8(bytes);
#else
  return std::string(bytes);
#endif
}

// The engine form of a key text: the path mapped for the engine, its trailing blanks kept (the
// second Create attempt ends the name with a blank, as the engine's naming rule allows).
std::string EngineKey(std::string_view key) {
  const std::string path = TrimRight(key);
  if (path.empty()) return std::string(key);
  return ToEngineText(platform::Os().EnginePath(path)) + std::string(key.size() - path.size(), ' ');
}

// A narrow, NUL-terminated copy of `bytes` in a buffer of at least `minimum` bytes.
std::vector<char> NarrowCopy(std::string_view bytes, size_t minimum) {
  std::vector<char> buffer(std::max(bytes.size() + 1, minimum), '\0');
  std::memcpy(buffer.data(), bytes.data(), bytes.size());
  return buffer;
}

}  // namespace

std::optional<std::string> EngineLibraryName() {
  std::optional<std::string> configured = platform::Os().GetEnv(kLibraryVariable);
  if (configured && !configured->empty()) return configured;
#ifdef _WIN32
  return std::string(sizeof(void*) == 8 ? "w64btrv.dll" : "WBTRV32.DLL");
#else
  return std::nullopt;
#endif
}

EngineLoad LoadEngine() {
  EngineLoad load;
  const std::optional<std::string> name = EngineLibraryName();
  if (!name) {
    load.engine = std::make_unique<BuiltinEngine>();
    return load;
  }
  load.libraryName = *name;
  int32_t error = 0;
  std::unique_ptr<platform::Library> library = platform::Os().LoadEngineLibrary(*name, &error);
  if (library == nullptr) {
    TraceLog("Err: " + ToText(error) + ": Engine library not loaded: " + *name);
    return load;
  }
  void* entry = library->Symbol("BTRCALL");
  if (entry == nullptr) {
    TraceLog("Err: " + ToText(err::kEntryPointNotFound) + ": No BTRCALL in: " + *name);
    return load;
  }
  load.engine =
      std::make_unique<LibraryEngine>(std::move(library), reinterpret_cast<BtrCallFn>(entry));
  return load;
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

  const std::string block = Utf8ToAnsi(*positionBlock);
  std::vector<char> blockBytes = NarrowCopy(block, kPositionBlockSize + 1);
  std::vector<char> keyBytesBuffer = NarrowCopy(key, kMaxEngineKeyLength + 1);
  CreateImage image = ToImage(*dataBuffer);
  auto length = static_cast<uint32_t>(*dataLength);

  const int16_t status =
      engine.BtrCall(operation, blockBytes.data(), image.data(), &length, keyBytesBuffer.data(),
                     static_cast<uint8_t>(keyBytes), static_cast<int8_t>(keyNumber));

  *positionBlock = AnsiToUtf8(std::string_view(blockBytes.data(), block.size()));
  *keyBuffer = FromEngineText(std::string_view(keyBytesBuffer.data(), key.size()));
  FromImage(image, dataBuffer);
  *dataLength = static_cast<int32_t>(length);
  return status;
}

}  // namespace tx3
