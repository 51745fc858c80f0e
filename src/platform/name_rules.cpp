#include "platform/name_rules.h"

#include <array>
#include <cctype>

namespace tx3::platform {
namespace {

bool IsRefusedCharacter(unsigned char c, bool wildcards) {
  if (c < 0x20) return true;
  switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
      return true;
    case '*':
    case '?':
      return !wildcards;
    default:
      return false;
  }
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// Windows reserves the device names whatever follows the first dot ("CON.txt", "nul.tar.gz").
bool IsDeviceName(std::string_view component) {
  std::string_view base = component.substr(0, component.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view device : kPlain) {
    if (EqualsAsciiNoCase(base, device)) return true;
  }
  if (base.size() == 4 && base[3] >= '1' && base[3] <= '9') {
    std::string_view stem = base.substr(0, 3);
    return EqualsAsciiNoCase(stem, "COM") || EqualsAsciiNoCase(stem, "LPT");
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
