// What the log file (platform/log_file.h) asks of Linux: its place, the local time, host files.
#include "platform/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "platform/log_path.h"
#include "platform/posix/host_files.h"

namespace tx3::platform {

// The file named by --log, else TX3_LOG_FILE's, else $XDG_STATE_HOME/tx3-setup/TX3_Setup.log
// (~/.local/state/tx3-setup/TX3_Setup.log): see log_path.h.
std::string SystemLogHost::Path() {
  return ChooseLogPath(
      NamedLogFile(), posix::EnvOrEmpty("TX3_LOG_FILE"),
      PosixDefaultLogPath(posix::EnvOrEmpty("XDG_STATE_HOME"), posix::HomeFolder()));
}

std::string SystemLogHost::Timestamp() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  ::localtime_r(&now.tv_sec, &local);
  char text[40];
  const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  std::snprintf(text + length, sizeof text - length, ".%03ld ", now.tv_nsec / 1000000L);
  return text;
}

std::string_view SystemLogHost::LineEnd() {
  return "\n";
}

int64_t SystemLogHost::Size(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

void SystemLogHost::Move(const std::string& from, const std::string& to) {
  ::rename(from.c_str(), to.c_str());
}

bool SystemLogHost::Append(const std::string& path, std::string_view bytes) {
  posix::MakeHostFolders(posix::HostParent(path));
  const posix::Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
  if (!fd.valid()) return false;
  // A record that cannot be written (a full disk) is lost; the run goes on.
  if (!bytes.empty()) (void)!::write(fd.get(), bytes.data(), bytes.size());
  return true;
}

}  // namespace tx3::platform
