// Where the program looks for a library it loads by name. Windows' own search would try the
// current folder and the program's folder, where anyone may leave a file of that name: the
// program restricts its loads to the system folder at start-up, and a bare library name is looked
// up here, then loaded by its full path.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tx3::platform::win32 {

// A name without folder or drive ("w64btrv.dll"), which Windows would look for in its search
// folders.
bool IsBareName(std::string_view name);

// Paths in UTF-8, as the platform's interface gives them.
struct LibrarySearch {
  std::optional<std::string> found;  // the file to load
  std::vector<std::string> skipped;  // folders of PATH holding the name, passed over as unsafe
};

// The file a bare library name stands for: in `systemFolder` when it is there, as Windows looks
// there first; else in the first folder of `pathText` (PATH's value, ";" between folders, a folder
// in double quotes may hold a ";") holding it. Folders of PATH that are not full paths (".", "bin",
// "C:lib") are never searched: they would name the current folder. A folder of PATH holding the
// name for which `isUnsafe` answers true is passed over and listed in `skipped`. A name without
// extension gets ".dll", as LoadLibraryW gives it.
LibrarySearch FindLibrary(std::string_view name, std::string_view pathText,
                          std::string_view systemFolder,
                          const std::function<bool(const std::string&)>& isFile,
                          const std::function<bool(const std::string&)>& isUnsafe);

// A folder's security as the rule below reads it: its owner and the entries of its access list,
// SIDs in their string form ("S-1-5-32-545").
struct AccessEntry {
  bool allows = true;        // an access-allowed entry (else access-denied, which the rule ignores)
  bool inheritOnly = false;  // applies to what the folder holds, not to the folder
  uint32_t mask = 0;         // the access rights
  std::string sid;
};
struct FolderSecurity {
  bool known = false;    // the security descriptor could be read
  bool hasDacl = false;  // false: no access list, everyone may do anything
  std::string owner;
  std::vector<AccessEntry> entries;
};

// Whether users who are not administrators may put a file into the folder: its security unknown,
// no access list, an owner, or an allowed entry that may write, append, add a file, or change the
// access list or the owner, for any SID but Administrators, SYSTEM, TrustedInstaller and CREATOR
// OWNER (Users, Authenticated Users, Everyone, INTERACTIVE, a user's own account...). Denied
// entries are not weighed: a folder they would protect is passed over all the same.
bool WritableByNonAdmins(const FolderSecurity& security);

// The folder's owner and access list, through GetNamedSecurityInfoW.
FolderSecurity ReadFolderSecurity(const std::wstring& folder);

// Whether the program runs with an administrator's elevated token or as SYSTEM: then a folder of
// PATH that others may write could hand it a library of theirs.
bool RunsElevated();

// The log line that names a folder of PATH passed over.
std::string SkippedFolderLogLine(std::string_view folder);

// Called first thing at start-up: the program's own library loads (those of the system's DLLs
// included) search the system folder only, never the current folder nor the program's folder.
void RestrictLibrarySearch();

}  // namespace tx3::platform::win32
