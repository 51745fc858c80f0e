// What the log file (platform/log_file.h) asks of Linux: its place, the local time, host files.
#pragma once

#include <string>

#include "platform/log_file.h"

namespace tx3::platform::posix {

class PosixLogHost final : public LogHost {
 public:
  // The file named by --log, else TX3_LOG_FILE's, else $XDG_STATE_HOME/tx3-setup/TX3_Setup.log
  // (~/.local/state/tx3-setup/TX3_Setup.log): see log_path.h.
  std::string Path() override;
  std::string Timestamp() override;
  std::string_view LineEnd() override { return "\n"; }
  int64_t Size(const std::string& path) override;
  void Move(const std::string& from, const std::string& to) override;
  bool Append(const std::string& path, std::string_view bytes) override;
};

}  // namespace tx3::platform::posix
