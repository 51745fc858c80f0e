// TraceLog: diagnostic lines of a few error paths go to the log file.
#include "common/error.h"
#include "platform/platform.h"

namespace tx3 {

void TraceLog(std::string_view text) {
  SkipOnError([&] { platform::Os().AppendLog(OneLogLine(text)); });
}

}  // namespace tx3
