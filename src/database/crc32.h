// CRC-32 (the IEEE polynomial of zip and PNG), for the built-in engine's file check.
#pragma once

#include <cstdint>
#include <string_view>

namespace tx3 {

uint32_t Crc32(std::string_view bytes);

}  // namespace tx3
