#include "platform/win32/library_search.h"

#include <aclapi.h>
#include <sddl.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/windows_path.h"

namespace tx3::platform::win32 {
namespace {

// "C:\..." or "\\server\share\..." (either separator): a path that names one file whatever the
// current folder or drive.
bool IsFullPath(std::string_view path) {
  const PathForm form = FormOf(path);
  return form == PathForm::kUnc ||
         (form == PathForm::kDrive && path.size() > 2 && IsSeparator(path[2]));
}

// The folders of PATH in order, their double quotes removed.
std::vector<std::string> PathFolders(std::string_view pathText) {
  std::vector<std::string> folders(1);
  bool quoted = false;
  for (const char c : pathText) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ';' && !quoted) {
      folders.emplace_back();
    } else {
      folders.back() += c;
    }
  }
  return folders;
}

std::string Joined(std::string folder, std::string_view name) {
  if (!IsSeparator(folder.back())) folder += '\\';
  folder += name;
  return folder;
}

// The accounts a folder of PATH may be writable by: Administrators, SYSTEM, TrustedInstaller and
// CREATOR OWNER (which stands for the owner of what is made inside, itself weighed apart).
constexpr std::array<std::string_view, 4> kAdministrativeSids = {
    "S-1-5-32-544", "S-1-5-18", "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
    "S-1-3-0"};

// Write data (add a file), append data (add a folder), change the access list or the owner, and
// the generic rights that hold them.
constexpr uint32_t kWriteRights =
    FILE_WRITE_DATA | FILE_APPEND_DATA | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

bool IsAdministrative(std::string_view sid) {
  return std::ranges::find(kAdministrativeSids, sid) != kAdministrativeSids.end();
}

std::string SidText(PSID sid) {
  LPWSTR text = nullptr;
  if (sid == nullptr || !::ConvertSidToStringSidW(sid, &text)) return {};
  std::string result = Narrow(text);
  ::LocalFree(text);
  return result;
}

}  // namespace

bool IsBareName(std::string_view name) {
  return !name.empty() && name.find_first_of("\\/:") == std::string_view::npos;
}

LibrarySearch FindLibrary(std::string_view name, std::string_view pathText,
                          std::string_view systemFolder,
                          const std::function<bool(const std::string&)>& isFile,
                          const std::function<bool(const std::string&)>& isUnsafe) {
  LibrarySearch search;
  std::string fileName(name);
  if (fileName.find('.') == std::string::npos) fileName += ".dll";
  if (IsFullPath(systemFolder)) {
    std::string candidate = Joined(std::string(systemFolder), fileName);
    if (isFile(candidate)) {
      search.found = std::move(candidate);
      return search;
    }
  }
  for (const std::string& folder : PathFolders(pathText)) {
    if (!IsFullPath(folder)) continue;
    std::string candidate = Joined(folder, fileName);
    if (!isFile(candidate)) continue;
    if (isUnsafe(folder)) {
      search.skipped.push_back(folder);
      continue;
    }
    search.found = std::move(candidate);
    break;
  }
  return search;
}

bool WritableByNonAdmins(const FolderSecurity& security) {
  if (!security.known || !security.hasDacl) return true;
  if (!IsAdministrative(security.owner)) return true;
  for (const AccessEntry& entry : security.entries) {
    if (entry.allows && !entry.inheritOnly && (entry.mask & kWriteRights) != 0 &&
        !IsAdministrative(entry.sid)) {
      return true;
    }
  }
  return false;
}

FolderSecurity ReadFolderSecurity(const std::wstring& folder) {
  FolderSecurity security;
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
    return security;
  }
  security.known = true;
  security.owner = SidText(owner);
  security.hasDacl = dacl != nullptr;
  for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount; ++i) {
    ACE_HEADER* header = nullptr;
    if (!::GetAce(dacl, i, reinterpret_cast<void**>(&header))) continue;
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_DENIED_ACE_TYPE) {
      continue;
    }
    // Both kinds share one layout: header, mask, then the SID.
    auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
    security.entries.push_back({header->AceType == ACCESS_ALLOWED_ACE_TYPE,
                                (header->AceFlags & INHERIT_ONLY_ACE) != 0, ace->Mask,
                                SidText(&ace->SidStart)});
  }
  ::LocalFree(descriptor);
  return security;
}

std::string SkippedFolderLogLine(std::string_view folder) {
  return "Warning: Engine library: folder of PATH skipped (the program runs elevated and users "
         "who are not administrators may write it): " +
         std::string(folder);
}

bool RunsElevated() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  bool elevated =
      ::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
      elevation.TokenIsElevated != 0;
  if (!elevated) {
    alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE] = {};
    if (::GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size)) {
      const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer);
      elevated = ::IsWellKnownSid(user->User.Sid, WinLocalSystemSid) != FALSE;
    }
  }
  ::CloseHandle(token);
  return elevated;
}

// The user folders are none until the engine library is found: its own folder is then added, so
// that the parts it loads by name later are found beside it. Should the system refuse the call,
// the current folder at least leaves the classic search.
void RestrictLibrarySearch() {
  if (!::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_USER_DIRS))
    ::SetDllDirectoryW(L"");
}

}  // namespace tx3::platform::win32
