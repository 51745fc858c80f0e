// The Btrieve create buffer and the values shared by every engine call (Lib_Setup).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tx3 {

// One key specification of the create buffer (16 bytes on the wire).
struct KeySpecRec {
  int16_t KeyPos = 0;
  int16_t KeyLen = 0;
  int16_t KeyFlags = 0;
  std::array<uint8_t, 4> Reserved{};
  uint8_t ExtType = 0;
  std::array<uint8_t, 5> Reserved2{};  // null value, reserved, manual key number, ACS number
};

inline constexpr int kKeySpecCount = 9;
inline constexpr size_t kCreateBufferSize = 160;
using CreateImage = std::array<uint8_t, kCreateBufferSize>;

// The file specification followed by the key specifications.
struct BtrFileBuf {
  int16_t RecLen = 0;
  int16_t PageSize = 0;
  int16_t IndxCnt = 0;
  std::array<uint8_t, 4> Reserved{};
  int16_t FileFlags = 0;
  std::array<uint8_t, 2> Reserved2{};
  int16_t Allocation = 0;
  std::array<KeySpecRec, kKeySpecCount> KeySpec{};
};

// The wire image handed to the engine: little-endian, packed, byte by byte.
CreateImage ToImage(const BtrFileBuf& buffer);
// Copies the image the engine left back into the record.
void FromImage(const CreateImage& image, BtrFileBuf* buffer);

class RunContext;
struct DatabaseState;

// Fills the create buffer of `db` from its catalogue entry `index`
// (Lib_Setup:InitStructureFichierBTR), uncompressed.
void InitStructureFichierBTR(RunContext& run, DatabaseState& db, int16_t index);

}  // namespace tx3
