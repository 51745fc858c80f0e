// Folder creation on the emulated drives (the runtime's MkDir, CreateDirectoryA/ExA).
#include <errno.h>
#include <sys/stat.h>

#include "platform/error_numbers.h"
#include "platform/posix/file_calls.h"
#include "platform/posix/host_files.h"
#include "platform/posix/posix_platform.h"

namespace tx3::platform::posix {

// Missing drive and path too long are a missing parent (76); a drive root or a network share
// cannot be made.
int32_t PosixPlatform::MakeDirectory(std::string_view path) {
  const MappedPath mapped = drives_.Map(path);
  if (mapped.status == MapStatus::kRefused) return err::kBadFileName;
  if (mapped.status == MapStatus::kNoDrive) return err::kPathNotFound;
  const size_t rootDepth = mapped.windows.unc ? 2 : 0;
  if (mapped.windows.parts.size() <= rootDepth) {
    return IsHostDirectory(mapped.host) ? err::kPathFileAccess : err::kPathNotFound;
  }
  if (sys::Mkdir(mapped.host.c_str(), 0777) == 0) return 0;
  return IsMissingPathError(errno) ? err::kPathNotFound : err::kPathFileAccess;
}

}  // namespace tx3::platform::posix
