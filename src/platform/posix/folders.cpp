#include "platform/posix/folders.h"
#include "platform/error_numbers.h"

#include <errno.h>
#include <sys/stat.h>

#include "platform/posix/file_calls.h"
#include "platform/posix/host_files.h"

namespace tx3::platform::posix {
namespace {

int32_t ErrorOfMkdir(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return err::kPathNotFound;
    default:
      return err::kPathFileAccess;
  }
}

}  // namespace

int32_t MakeFolder(DriveMap& drives, std::string_view path) {
  const MappedPath mapped = drives.Map(path);
  if (mapped.status == MapStatus::kRefused) return err::kBadFileName;
  if (mapped.status == MapStatus::kNoDrive) return err::kPathNotFound;
  const size_t rootDepth = mapped.windows.unc ? 2 : 0;
  if (mapped.windows.parts.size() <= rootDepth) {
    return IsHostDirectory(mapped.host) ? err::kPathFileAccess : err::kPathNotFound;
  }
  if (sys::Mkdir(mapped.host.c_str(), 0777) == 0) return 0;
  return ErrorOfMkdir(errno);
}

}  // namespace tx3::platform::posix
