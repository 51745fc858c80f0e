#include "platform/posix/folders.h"

#include <errno.h>
#include <sys/stat.h>

#include "platform/posix/host_files.h"

namespace tx3::platform::posix {
namespace {

constexpr int32_t kBadFileName = 52;
constexpr int32_t kAccessError = 75;
constexpr int32_t kPathNotFound = 76;

int32_t ErrorOfMkdir(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kPathNotFound;
    default:
      return kAccessError;
  }
}

}  // namespace

int32_t MakeFolder(DriveMap& drives, std::string_view path) {
  const MappedPath mapped = drives.Map(path);
  if (mapped.status == MapStatus::kRefused) return kBadFileName;
  if (mapped.status == MapStatus::kNoDrive) return kPathNotFound;
  const size_t rootDepth = mapped.windows.unc ? 2 : 0;
  if (mapped.windows.parts.size() <= rootDepth) {
    return IsHostDirectory(mapped.host) ? kAccessError : kPathNotFound;
  }
  if (::mkdir(mapped.host.c_str(), 0777) == 0) return 0;
  return ErrorOfMkdir(errno);
}

}  // namespace tx3::platform::posix
