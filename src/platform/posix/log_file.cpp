#include "platform/posix/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "platform/log_path.h"
#include "platform/log_record.h"
#include "platform/posix/host_files.h"

namespace tx3::platform::posix {
namespace {

void RotateWhenFull(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || info.st_size < kLogRotateBytes) return;
  for (int n = kLogKeptFiles - 1; n >= 1; --n) {
    ::rename((path + "." + std::to_string(n)).c_str(),
             (path + "." + std::to_string(n + 1)).c_str());
  }
  ::rename(path.c_str(), (path + ".1").c_str());
}

// The log file opened for appending, its folder made; -1 (and the run told once) when it cannot
// be.
int OpenLog(const std::string& path) {
  MakeHostFolders(HostParent(path));
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) ReportLogUnavailable(path);
  return fd;
}

}  // namespace

std::string LogFilePath() {
  return ChooseLogPath(NamedLogFile(), EnvOrEmpty("TX3_LOG_FILE"),
                       PosixDefaultLogPath(EnvOrEmpty("XDG_STATE_HOME"), HomeFolder()));
}

std::string LocalTimestamp() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  ::localtime_r(&now.tv_sec, &local);
  char text[40];
  const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  std::snprintf(text + length, sizeof text - length, ".%03ld ", now.tv_nsec / 1000000L);
  return text;
}

void LogFile::Open() {
  const std::lock_guard<std::mutex> lock(mutex_);
  const int fd = OpenLog(LogFilePath());
  if (fd >= 0) ::close(fd);
}

void LogFile::Append(std::string_view line) {
  const std::string path = LogFilePath();
  const std::string record = LogRecord(LocalTimestamp(), line, "\n");
  const std::lock_guard<std::mutex> lock(mutex_);
  RotateWhenFull(path);
  const int fd = OpenLog(path);
  if (fd < 0) return;
  const ssize_t written = ::write(fd, record.data(), record.size());
  (void)written;  // a record that cannot be written (a full disk) is lost; the run goes on
  ::close(fd);
}

}  // namespace tx3::platform::posix
