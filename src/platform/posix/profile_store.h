// The profile engine of the system platform on host paths, for the helper programs, the
// benchmark and the tests: the one engine the platform owns, so that its cache and its counters
// are the ones the program uses.
#pragma once

#include "platform/profile_engine.h"

namespace tx3::platform::posix {

ProfileEngine& SystemProfiles();

}  // namespace tx3::platform::posix
