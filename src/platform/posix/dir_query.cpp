// The directory query (the runtime's Dir, FindFirstFile) on the emulated drives. Every folder
// lists "." and ".." first, drive roots included, so that an empty drive still answers that it
// exists; the other entries come in the folder's listing order (ListsBefore). A missing drive or
// a path too long finds nothing; a component Windows refuses answers 52.
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "platform/error_numbers.h"
#include "platform/name_match.h"
#include "platform/posix/host_files.h"
#include "platform/posix/posix_platform.h"

namespace tx3::platform::posix {
namespace {

struct Listed {
  std::string name;
  bool directory = false;
};

// The folder's entries in listing order, "." and ".." first; empty when it cannot be read.
std::vector<Listed> ListFolder(const std::string& folder) {
  std::vector<Listed> entries;
  const std::optional<std::vector<std::string>> names = FolderEntryNames(folder);
  if (!names) return entries;
  for (const std::string& name : *names) {
    struct stat info {};
    const bool directory =
        ::stat((folder + "/" + name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    entries.push_back({name, directory});
  }
  std::sort(entries.begin(), entries.end(),
            [](const Listed& a, const Listed& b) { return ListsBefore(a.name, b.name); });
  entries.insert(entries.begin(), {{".", true}, {"..", true}});
  return entries;
}

}  // namespace

int32_t PosixPlatform::FindFirst(std::string_view pattern, bool includeDirectories,
                                 std::string* firstName) {
  firstName->clear();
  MappedPath mapped = drives_.Map(pattern, true);
  if (mapped.status == MapStatus::kRefused) return err::kBadFileName;
  if (mapped.status == MapStatus::kNoDrive) return 0;
  WindowsPath folder = mapped.windows;
  std::string lastComponent = "*";
  const size_t rootDepth = folder.unc ? 2 : 0;  // a share is listed as a folder, never matched
  if (!folder.trailingSeparator && folder.parts.size() > rootDepth) {
    lastComponent = folder.parts.back();
    folder.parts.pop_back();
  }
  for (const Listed& entry : ListFolder(drives_.HostOf(folder))) {
    if (entry.directory && !includeDirectories) continue;
    if (MatchesPattern(entry.name, lastComponent)) {
      *firstName = entry.name;
      return 0;
    }
  }
  return 0;
}

}  // namespace tx3::platform::posix
