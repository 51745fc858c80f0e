#include "platform/name_rules.h"

#include "platform/name_match.h"

namespace tx3::platform {
namespace {

bool IsRefusedCharacter(unsigned char c, bool wildcards) {
  if (c < 0x20 || std::string_view("<>:\"|").find(static_cast<char>(c)) != std::string_view::npos)
    return true;
  return !wildcards && (c == '*' || c == '?');
}

// Windows reserves the device names whatever follows the first dot ("CON.txt", "nul.tar.gz").
bool IsDeviceName(std::string_view component) {
  std::string_view base = component.substr(0, component.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
    if (SameName(base, device)) return true;
  }
  if (base.size() == 4 && base[3] >= '1' && base[3] <= '9') {
    std::string_view stem = base.substr(0, 3);
    return SameName(stem, "COM") || SameName(stem, "LPT");
  }
  return false;
}

bool HasWildcard(std::string_view component) {
  return component.find_first_of("*?") != std::string_view::npos;
}

}  // namespace

bool IsRefusedComponent(std::string_view component, bool wildcards) {
  for (char c : component) {
    if (IsRefusedCharacter(static_cast<unsigned char>(c), wildcards)) return true;
  }
  if (IsDeviceName(component)) return true;
  if (component.empty()) return false;
  const char last = component.back();
  if (last == ' ') return true;
  if (last == '.') return !(wildcards && HasWildcard(component));
  return false;
}

}  // namespace tx3::platform
