// "BR_Pub.ini": the advertising defaults of the suite.
#pragma once

#include "settings/ini_key.h"

namespace tx3 {

class RunContext;

// The 390 keys of a new file with their defaults, in write order.
IniKeys AdvertisingDefaultKeys(RunContext& run);

}  // namespace tx3
