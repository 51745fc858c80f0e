// The database engine's entry point BTRCALL and the engines that answer it: an engine library
// loaded at run time, or the built-in engine where no library is configured (Linux).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "database/create_buffer.h"

namespace tx3 {

inline constexpr uint16_t kBtrCreate = 14;
inline constexpr size_t kPositionBlockSize = 128;
inline constexpr size_t kMaxEngineKeyLength = 255;

// The engine's classic statuses that this program produces or names.
namespace btrstatus {
inline constexpr int16_t kInvalidOperation = 1;
inline constexpr int16_t kInvalidFileName = 11;
inline constexpr int16_t kDataBufferLength = 22;
inline constexpr int16_t kPageSize = 24;
inline constexpr int16_t kCreateIo = 25;
inline constexpr int16_t kNumberOfKeys = 26;
inline constexpr int16_t kKeyPosition = 27;
inline constexpr int16_t kRecordLength = 28;
inline constexpr int16_t kKeyLength = 29;
}  // namespace btrstatus

class Engine {
 public:
  virtual ~Engine() = default;
  // BTRCALL itself, on raw buffers.
  virtual int16_t BtrCall(uint16_t operation, void* positionBlock, void* dataBuffer,
                          uint32_t* dataLength, void* keyBuffer, uint8_t keyLength,
                          int8_t keyNumber) = 0;
  // True for an engine library (a real engine), false for the built-in engine.
  virtual bool IsLibrary() const = 0;
};

// The engine library to load: the one named on the command line (--engine-library), else
// TX3_BTRIEVE_LIBRARY when set, else the platform's default (the vendor's library on Windows;
// nothing on Linux, where the built-in engine serves).
std::optional<std::string> EngineLibraryName();

// Names the engine library on the command line for the length of a run (empty: none named).
class EngineLibraryScope {
 public:
  explicit EngineLibraryScope(std::string named);
  ~EngineLibraryScope();
  EngineLibraryScope(const EngineLibraryScope&) = delete;
  EngineLibraryScope& operator=(const EngineLibraryScope&) = delete;

 private:
  std::string previous_;
};

struct EngineLoad {
  std::unique_ptr<Engine> engine;  // nullptr when the library cannot be used
  std::string libraryName;         // the library tried, empty for the built-in engine
};
EngineLoad LoadEngine();

// One engine call with the program's values: the position block, the key buffer (a Windows path,
// possibly followed by blanks) and the create buffer are handed as narrow copies and copied back
// afterwards. The engine receives the path as it opens it (Os().EnginePath) and, as key length,
// the byte length of the engine form of the first `keyLength` characters of the key buffer.
// A path the engine cannot take (empty or longer than 255 bytes) is answered with status 11
// without calling it.
int16_t CallEngine(Engine& engine, uint16_t operation, std::string* positionBlock,
                   BtrFileBuf* dataBuffer, int32_t* dataLength, std::string* keyBuffer,
                   int16_t keyLength, int16_t keyNumber);

}  // namespace tx3
