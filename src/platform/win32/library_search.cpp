#include "platform/win32/library_search.h"

#include <windows.h>

#include <vector>

namespace tx3::platform::win32 {
namespace {

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// "C:\..." or "\\server\share\..." (either separator): a path that names one file whatever the
// current folder or drive.
bool IsFullPath(std::wstring_view path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return true;
  return path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]);
}

// The folders of PATH in order, their double quotes removed.
std::vector<std::wstring> PathFolders(std::wstring_view pathText) {
  std::vector<std::wstring> folders(1);
  bool quoted = false;
  for (const wchar_t c : pathText) {
    if (c == L'"') {
      quoted = !quoted;
    } else if (c == L';' && !quoted) {
      folders.emplace_back();
    } else {
      folders.back() += c;
    }
  }
  return folders;
}

std::wstring Joined(std::wstring folder, std::wstring_view name) {
  if (!IsSeparator(folder.back())) folder += L'\\';
  folder += name;
  return folder;
}

}  // namespace

bool IsBareName(std::wstring_view name) {
  return !name.empty() && name.find_first_of(L"\\/:") == std::wstring_view::npos;
}

std::optional<std::wstring> FindLibrary(std::wstring_view name, std::wstring_view pathText,
                                        std::wstring_view systemFolder,
                                        const std::function<bool(const std::wstring&)>& isFile) {
  std::wstring fileName(name);
  if (fileName.find(L'.') == std::wstring::npos) fileName += L".dll";
  std::vector<std::wstring> folders = PathFolders(pathText);
  folders.emplace_back(systemFolder);
  for (const std::wstring& folder : folders) {
    if (!IsFullPath(folder)) continue;
    std::wstring candidate = Joined(folder, fileName);
    if (isFile(candidate)) return candidate;
  }
  return std::nullopt;
}

// The user folders are none until the engine library is found: its own folder is then added, so
// that the parts it loads by name later are found beside it. Should the system refuse the call,
// the current folder at least leaves the classic search.
void RestrictLibrarySearch() {
  if (!::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_USER_DIRS))
    ::SetDllDirectoryW(L"");
}

}  // namespace tx3::platform::win32
