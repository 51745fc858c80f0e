// The program's log file on Windows: one time-stamped line per record, bounded by rotation.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace tx3::platform::win32 {

// The file named by --log, else TX3_LOG_FILE's, else %LOCALAPPDATA%\TX3_Setup\TX3_Setup.log for
// an account with a profile of its own, %ProgramData%\Tarvox\TX3_Setup\Logs\TX3_Setup.log for
// SYSTEM and the accounts without one (see log_path.h); empty when no folder is known.
std::string LogFilePath();

// "2026-12-08 14:03:07.042 " in local time.
std::string LocalTimestamp();

class LogFile {
 public:
  // Opens the log for appending (making its folder) and closes it, so that a run whose log cannot
  // be opened says so at its start (log_path.h's ReportLogUnavailable, once per run).
  void Open();
  // Appends "<timestamp> <line>" CR LF (line breaks inside become blanks), making the folder on
  // first use. A file that has reached kLogRotateBytes first becomes "<path>.1", older ones move up
  // to ".3". A log that cannot be opened is reported once per run; no failure reaches the caller.
  void Append(std::string_view line);

 private:
  std::mutex mutex_;
};

}  // namespace tx3::platform::win32
