// Parsing of a Windows path text into its drive (or network server and share) and components.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tx3::platform::posix {

struct WindowsPath {
  bool unc = false;                // \\SRV\Share\rest: parts start with SRV and Share
  char drive = 0;                  // the lower-case drive letter of a drive path
  std::vector<std::string> parts;  // components, "." and ".." applied
  bool trailingSeparator = false;  // the text ended with "\" or "/"
};

enum class PathForm { kDrive, kUnc, kRootRelative, kRelative };

// How the text locates itself: "C:\x" or "C:x" (drive), "\\SRV\x" (network), "\x" (root of the
// current drive), "x" (current folder).
PathForm FormOf(std::string_view text);

// Parses an absolute text (kDrive or kUnc form). "\" and "/" both separate, empty components are
// skipped, ".." never climbs above the drive root or the network share. False when Windows
// refuses a component (see IsRefusedComponent); with `wildcardsInLast`, the last component may
// hold "*" and "?" unless the text ends with a separator.
bool ParseAbsolute(std::string_view text, bool wildcardsInLast, WindowsPath* path);

// The Windows text of a parsed path ("C:\a\b", "C:\", "\\SRV\Share\a"), without a trailing
// separator except for a drive root.
std::string ToText(const WindowsPath& path);

}  // namespace tx3::platform::posix
