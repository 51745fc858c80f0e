#include "platform/win32/name_rules.h"

#include <algorithm>
#include <vector>

#include "platform/name_rules.h"
#include "platform/windows_path.h"

namespace tx3::platform::win32 {
namespace {

// "." and ".." name folders the system resolves itself; every other name follows the rules both
// platforms share.
bool IsRefused(std::string_view component) {
  if (component.empty() || component == "." || component == "..") return false;
  return IsRefusedComponent(component);
}

}  // namespace

bool HasRefusedComponent(std::string_view path) {
  if (path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\")) {
    return false;  // the caller asked for the name exactly as written
  }
  // A share "\\SRV\Share": its two names are the server's own, and so is the drive's.
  const std::vector<std::string_view> components = SplitPath(path).components;
  return std::any_of(components.begin(), components.end(), IsRefused);
}

}  // namespace tx3::platform::win32
