// Small helpers on host paths shared by the posix platform.
#pragma once

#include <string>
#include <string_view>

namespace tx3::platform::posix {

// True when the path names an existing folder (links followed).
bool IsHostDirectory(const std::string& path);
// True when something exists at the path (a dangling link counts).
bool HostEntryExists(const std::string& path);
// Makes the folder and its missing parents (mkdir -p); true when the folder exists afterwards.
bool MakeHostFolders(const std::string& path);
// The folder part of a host path ("/a/b" -> "/a", "/a" -> "/", "a" -> ".").
std::string HostParent(const std::string& path);
// The process's current folder, empty when it cannot be read.
std::string CurrentHostFolder();
// An environment variable, empty when unset.
std::string EnvOrEmpty(const char* name);
// The user's home folder ($HOME, else the password database).
std::string HomeFolder();

}  // namespace tx3::platform::posix
