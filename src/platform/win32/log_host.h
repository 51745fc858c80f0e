// What the log file (platform/log_file.h) asks of Windows: its place, the local time, the files.
#pragma once

#include <string>

#include "platform/log_file.h"

namespace tx3::platform::win32 {

class Win32LogHost final : public LogHost {
 public:
  // The file named by --log, else TX3_LOG_FILE's, else %LOCALAPPDATA%\TX3_Setup\TX3_Setup.log
  // for an account with a profile of its own, %ProgramData%\Tarvox\TX3_Setup\Logs\TX3_Setup.log
  // for SYSTEM and the accounts without one (see log_path.h); empty when no folder is known.
  std::string Path() override;
  std::string Timestamp() override;
  std::string_view LineEnd() override { return "\r\n"; }
  int64_t Size(const std::string& path) override;
  void Move(const std::string& from, const std::string& to) override;
  bool Append(const std::string& path, std::string_view bytes) override;
};

}  // namespace tx3::platform::win32
