// Where the program looks for a library it loads by name. Windows' own search would try the
// current folder and the program's folder, where anyone may leave a file of that name: the
// program restricts its loads to the system folder at start-up, and a bare library name is looked
// up here, then loaded by its full path.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tx3::platform::win32 {

// A name without folder or drive ("w64btrv.dll"), which Windows would look for in its search
// folders.
bool IsBareName(std::wstring_view name);

// The file a bare library name stands for: the first folder of `pathText` (PATH's value, ";"
// between folders, a folder in double quotes may hold a ";") holding it, else `systemFolder`.
// Folders of PATH that are not full paths (".", "bin", "C:lib") are skipped: they would name the
// current folder. A name without extension gets ".dll", as LoadLibraryW gives it.
std::optional<std::wstring> FindLibrary(std::wstring_view name, std::wstring_view pathText,
                                        std::wstring_view systemFolder,
                                        const std::function<bool(const std::wstring&)>& isFile);

// Called first thing at start-up: the program's own library loads (those of the system's DLLs
// included) search the system folder only, never the current folder nor the program's folder.
void RestrictLibrarySearch();

}  // namespace tx3::platform::win32
