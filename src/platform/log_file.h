// The program's log file, written the same way on both systems: one time-stamped line per record,
// bounded by rotation. What is the system's own (where the log is, the local time, the line end,
// the file calls) comes from its LogHost.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace tx3::platform {

// A log file that reaches this size becomes "<path>.1" before the next record; older ones move
// up to ".3" and the oldest goes.
inline constexpr int64_t kLogRotateBytes = 1 << 20;
inline constexpr int kLogKeptFiles = 3;

// What the log asks of the system it runs on, paths in the system's own spelling (UTF-8).
class LogHost {
 public:
  virtual ~LogHost() = default;
  // The file named by --log, else TX3_LOG_FILE's, else the system's default (log_path.h); empty
  // when no folder is known.
  virtual std::string Path() = 0;
  // "2026-12-08 14:03:07.042 " in local time.
  virtual std::string Timestamp() = 0;
  // The line end of the system's text files.
  virtual std::string_view LineEnd() = 0;
  // The size of the file, -1 when it cannot be read.
  virtual int64_t Size(const std::string& path) = 0;
  // Renames `from` to `to`, replacing it; a failure leaves both as they are.
  virtual void Move(const std::string& from, const std::string& to) = 0;
  // Opens the file for appending (its folders made), writes `bytes` and closes it; false when it
  // cannot be opened. Bytes that cannot be written (a full disk) are lost.
  virtual bool Append(const std::string& path, std::string_view bytes) = 0;
};

// The system's own host, defined once per system (posix/log_host.cpp, win32/log_host.cpp).
class SystemLogHost final : public LogHost {
 public:
  std::string Path() override;
  std::string Timestamp() override;
  std::string_view LineEnd() override;
  int64_t Size(const std::string& path) override;
  void Move(const std::string& from, const std::string& to) override;
  bool Append(const std::string& path, std::string_view bytes) override;
};

class LogFile {
 public:
  explicit LogFile(LogHost& host) : host_(host) {}

  // Opens the log for appending (making its folder) and closes it, so that a run whose log cannot
  // be opened says so at its start (log_path.h's ReportLogUnavailable, once per run).
  void Open();
  // Appends "<timestamp> <line>" and the line end (line breaks inside become blanks). A file that
  // has reached kLogRotateBytes first becomes "<path>.1", older ones move up to ".3". A log that
  // cannot be opened is reported once per run; no failure reaches the caller.
  void Append(std::string_view line);

 private:
  void RotateWhenFull(const std::string& path);
  // Appends the bytes, or reports that the log cannot be opened.
  void Write(const std::string& path, std::string_view bytes);

  LogHost& host_;
  std::mutex mutex_;
};

}  // namespace tx3::platform
