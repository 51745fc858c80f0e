// The built-in engine: serves the Create call where no engine library is configured (Linux).
// It checks the request as an engine does and writes an empty data file of one page: its own
// signature, the 160-byte request as received and a CRC-32 of both. A real engine does not read
// such a file, so with an engine library in use it counts as missing and is created again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "database/create_buffer.h"
#include "database/engine.h"

namespace tx3 {

inline constexpr std::string_view kBuiltinSignature = "TX3BTRV1";

class BuiltinEngine final : public Engine {
 public:
  int16_t BtrCall(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                  void* keyBuffer, uint8_t keyLength, int8_t keyNumber) override;
  bool IsLibrary() const override { return false; }
};

// CRC-32 (the IEEE polynomial of zip and PNG), the built-in file's check.
uint32_t Crc32(std::string_view bytes);

// The engine's status for a create request: 0 when the file can be made.
int16_t CheckCreateRequest(const BtrFileBuf& request);

// True when the file at `enginePath` starts with the built-in engine's signature.
bool IsBuiltinEngineFile(std::string_view enginePath);

}  // namespace tx3
