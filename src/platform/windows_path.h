// The one reading of a Windows path text: its drive (or network server and share), its
// components, its trailing separator and its parent. Pure text work, for every platform, the dry
// run and the test fake.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tx3::platform {

struct WindowsPath {
  bool unc = false;                // \\SRV\Share\rest: parts start with SRV and Share
  char drive = 0;                  // the lower-case drive letter of a drive path
  std::vector<std::string> parts;  // components, "." and ".." applied
  bool trailingSeparator = false;  // the text ended with "\" or "/"
};

enum class PathForm { kDrive, kUnc, kRootRelative, kRelative };

bool IsSeparator(char c);  // "\" or "/"

// How the text locates itself: "C:\x" or "C:x" (drive), "\\SRV\x" (network), "\x" (root of the
// current drive), "x" (current folder).
PathForm FormOf(std::string_view text);

// A text cut where it lies, without "." and ".." applied nor any name checked.
struct PathSplit {
  PathForm form = PathForm::kRelative;
  std::string_view root;  // "C:", "\\SRV\Share" or, without a share, "\\SRV"; else empty
  bool hasShare = false;  // a network text naming its share (not only its server)
  std::vector<std::string_view> components;  // after the root, empty ones skipped
  bool trailingSeparator = false;
};
PathSplit SplitPath(std::string_view text);

// The spelling a folder and its path share: "\" for every separator, none at the end ("C:\"
// becomes "C:", a lone "\\" stays).
std::string CanonicalText(std::string_view text);

// What comes before the last separator (empty without one), and what comes after it.
std::string_view ParentText(std::string_view text);
std::string_view LastComponent(std::string_view text);

// Where the profile functions look for `file`: a bare file name (no folder, no drive) in the
// Windows folder, any other path as given.
std::string ProfileFilePath(std::string_view windowsFolder, std::string_view file);

// Parses an absolute text (kDrive or kUnc form). "\" and "/" both separate, empty components are
// skipped, ".." never climbs above the drive root or the network share. False when Windows
// refuses a component (see IsRefusedComponent); with `wildcardsInLast`, the last component may
// hold "*" and "?" unless the text ends with a separator.
bool ParseAbsolute(std::string_view text, bool wildcardsInLast, WindowsPath* path);

// The Windows text of a parsed path ("C:\a\b", "C:\", "\\SRV\Share\a"), without a trailing
// separator except for a drive root.
std::string ToText(const WindowsPath& path);

}  // namespace tx3::platform
