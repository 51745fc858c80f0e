// "BR_Mus.ini": the music-scheduling defaults of the suite.
#pragma once

#include "settings/ini_key.h"

namespace tx3 {

class RunContext;

// The 333 keys of a new file with their defaults, in write order.
IniKeys MusicDefaultKeys(RunContext& run);

}  // namespace tx3
