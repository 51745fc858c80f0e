#include "platform/win32/name_rules.h"

#include "platform/name_rules.h"

namespace tx3::platform::win32 {
namespace {

// "." and ".." name folders the system resolves itself; every other name follows the rules both
// platforms share.
bool IsRefused(std::string_view component) {
  if (component.empty() || component == "." || component == "..") return false;
  return IsRefusedComponent(component);
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

bool HasRefusedComponent(std::string_view path) {
  size_t start = 0;
  if (path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\")) {
    return false;  // the caller asked for the name exactly as written
  }
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // A share "\\SRV\Share": its two names are the server's own.
    start = 2;
    for (int names = 0; names < 2 && start < path.size(); ++names) {
      const size_t next = path.find_first_of("\\/", start);
      start = next == std::string_view::npos ? path.size() : next + 1;
    }
  } else if (path.size() >= 2 && path[1] == ':') {
    start = 2;
  }
  while (start < path.size()) {
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = path.size();
    if (IsRefused(path.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace tx3::platform::win32
