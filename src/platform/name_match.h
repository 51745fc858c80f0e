// Case-insensitive comparison and wildcard matching of file names, as Windows file systems do:
// the one folding of names for the Linux platform, the dry run and the test fake.
#pragma once

#include <string>
#include <string_view>

namespace tx3::platform {

// The name with each letter folded by FoldCase (platform/code_page.h), an invalid byte kept as
// it is: a key two spellings of a name share.
std::string FoldNameText(std::string_view utf8);

// True when two names are the same for Windows (case-insensitive).
bool SameName(std::string_view a, std::string_view b);

// True when `name` matches `pattern` case-insensitively: "*" any run of characters, "?" one
// character. As on Windows, "x.*" also matches "x" (so "*.*" matches everything) and a pattern
// ending with "." matches names without an extension.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// Listing order of a folder, as NTFS gives it: case-insensitive, then by bytes.
bool ListsBefore(std::string_view a, std::string_view b);

}  // namespace tx3::platform
