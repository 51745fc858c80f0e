// Which file is the program's log, on both platforms, and how a run says that it has none.
// The log file itself is written by log_file.h.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tx3::platform {

// The log file of a run: the one named on its command line (--log), else TX3_LOG_FILE's value,
// else the platform's default. Empty values count as not given.
std::string ChooseLogPath(std::string_view named, std::string_view configured,
                          std::string_view fallback);

// Linux: $XDG_STATE_HOME/tx3-setup/TX3_Setup.log, ~/.local/state/... when XDG_STATE_HOME is not
// an absolute path.
std::string PosixDefaultLogPath(std::string_view stateHome, std::string_view home);

// Windows: %LOCALAPPDATA%\TX3_Setup\TX3_Setup.log for an account with a profile of its own, else
// <programData>\Tarvox\TX3_Setup\Logs\TX3_Setup.log (empty when programData is empty too).
// LOCALAPPDATA is no profile folder of the account's own when missing, empty, or under a
// "systemprofile" folder (the SYSTEM account's, also seen as SysWOW64\config\... by a 32-bit
// program).
std::string WindowsDefaultLogPath(const std::optional<std::string>& localAppData,
                                  std::string_view programData);

// The French line that says the log cannot be opened; `path` empty: no place was known for it.
std::string LogUnavailableText(std::string_view path);

// What the run is told about its log on its command line, for the length of the run: the file
// named (empty: none), and where the one line goes that says the log cannot be opened (standard
// error when no sink is given). Scopes nest; the innermost one is in force.
class LogSettingsScope {
 public:
  using Sink = std::function<void(std::string_view line)>;
  LogSettingsScope(std::string named, Sink sink);
  ~LogSettingsScope();
  LogSettingsScope(const LogSettingsScope&) = delete;
  LogSettingsScope& operator=(const LogSettingsScope&) = delete;

 private:
  std::string previousNamed_;
  Sink previousSink_;
  bool previousReported_;
};

// The log file named for the run in force, empty when none.
std::string NamedLogFile();

// Says through the run's sink that `path` cannot be opened for the log: once per run (per scope),
// whatever the number of records lost.
void ReportLogUnavailable(std::string_view path);

}  // namespace tx3::platform
