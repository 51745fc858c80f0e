// What the database button keeps during a run: the values handed to the engine's Create (create
// buffer, position block, status, data length).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "database/create_buffer.h"

namespace tx3 {

struct DatabaseState {
  BtrFileBuf PbTBtrFileBuf;
  std::string PbSBtrPosBulk;  // the position block
  int16_t PbIBtrStatus = 0;
  int32_t PbLBtrDataLen = 0;
};

}  // namespace tx3
