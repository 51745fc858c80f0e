// The runtime's GetAttr / SetAttr and the 64-bit file size on the emulated drives: read-only (1)
// is the absence of every write permission bit, directory 16, archive 32 on files; failures are
// 52 (refused name), 53 (not found) or 75 (cannot be read or changed).
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/error_numbers.h"
#include "platform/posix/file_calls.h"
#include "platform/posix/host_files.h"
#include "platform/posix/posix_platform.h"

namespace tx3::platform::posix {
namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

int32_t ErrorOfLookup(int error) {
  return IsMissingPathError(error) ? err::kFileNotFound : err::kPathFileAccess;
}

// The host path of `path`; 0, 52 (refused name) or 53 (missing drive).
int32_t HostOf(DriveMap& drives, std::string_view path, std::string* host) {
  const MappedPath mapped = drives.Map(path);
  if (mapped.status == MapStatus::kRefused) return err::kBadFileName;
  if (mapped.status == MapStatus::kNoDrive) return err::kFileNotFound;
  *host = mapped.host;
  return 0;
}

// Maps `path` and reads its status; 0 or the error number.
int32_t StatOf(DriveMap& drives, std::string_view path, std::string* host, struct stat* info) {
  if (const int32_t error = HostOf(drives, path, host)) return error;
  return sys::Stat(host->c_str(), info) == 0 ? 0 : ErrorOfLookup(errno);
}

}  // namespace

int32_t PosixPlatform::GetAttributes(std::string_view path, uint32_t* attributes) {
  std::string host;
  struct stat info {};
  if (const int32_t error = StatOf(drives_, path, &host, &info)) return error;
  uint32_t bits = S_ISDIR(info.st_mode) ? kAttrDirectory : kAttrArchive;
  if ((info.st_mode & kWriteBits) == 0) bits |= kAttrReadOnly;
  *attributes = bits;
  return 0;
}

// Only the read-only bit can be changed: set, it removes every write permission bit; clear, it
// gives the owner write permission back.
int32_t PosixPlatform::SetAttributes(std::string_view path, uint32_t attributes) {
  std::string host;
  struct stat info {};
  if (const int32_t error = StatOf(drives_, path, &host, &info)) return error;
  const mode_t current = info.st_mode & 07777;
  const bool readOnly = (attributes & kAttrReadOnly) != 0;
  const mode_t wanted =
      readOnly ? (current & ~kWriteBits) : ((current & kWriteBits) ? current : (current | S_IWUSR));
  if (wanted == current) return 0;
  return ::chmod(host.c_str(), wanted) == 0 ? 0 : err::kPathFileAccess;
}

// A folder cannot be opened as a file: 75.
int32_t PosixPlatform::FileSize(std::string_view path, int64_t* size) {
  std::string host;
  if (const int32_t error = HostOf(drives_, path, &host)) return error;
  // Opened as the runtime opens a file, but without waiting: a FIFO would wait for a writer.
  const Descriptor fd(sys::Open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid()) return ErrorOfLookup(errno);
  struct stat info {};
  if (sys::Fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode)) return err::kPathFileAccess;
  *size = static_cast<int64_t>(info.st_size);
  return 0;
}

}  // namespace tx3::platform::posix
