#include "platform/win32/win_ini.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/file_calls.h"
#include "platform/win32/system_info.h"
#include "platform/win32/wide_text.h"

namespace tx3::platform::win32 {
namespace {

// Names as the system compares them (sections, keys, paths): letters of either case.
bool SameName(std::string_view a, std::string_view b) {
  const std::wstring wa = Widen(a);
  const std::wstring wb = Widen(b);
  return ::CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

// The whole value, or the default as the system answers it.
std::string ReadWinIni(std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
  const std::wstring wideSection = Widen(section);
  const std::wstring wideKey = Widen(key);
  const std::wstring wideDefault = Widen(defaultValue);
  std::vector<wchar_t> buffer(1024);
  while (true) {
    const DWORD length =
        ::GetProfileStringW(wideSection.c_str(), wideKey.c_str(), wideDefault.c_str(),
                            buffer.data(), static_cast<DWORD>(buffer.size()));
    // A value that filled the buffer may have been cut: asked again with more room.
    if (length + 1 < buffer.size() || buffer.size() >= (1U << 24)) {
      return Narrow(std::wstring_view(buffer.data(), length));
    }
    buffer.resize(buffer.size() * 4);
  }
}

bool WriteWinIni(std::string_view section, std::string_view key, std::string_view value) {
  return ::WriteProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str()) !=
         FALSE;
}

// The stored value; none when the section has no such key. A key that is absent answers whichever
// default is asked; a stored value answers itself.
std::optional<std::string> StoredWinIniValue(std::string_view section, std::string_view key) {
  std::string value = ReadWinIni(section, key, "\x01");
  if (value != "\x01") return value;
  value = ReadWinIni(section, key, "\x02");
  if (value == "\x02") return std::nullopt;
  return value;
}

// Whether the system could write Win.ini: the file can be opened for writing, or there is none
// yet (the system makes it).
bool WinIniWritable() {
  const HANDLE file = sys::Open(Widen(WindowsFolder() + "\\win.ini").c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  ::CloseHandle(file);
  return true;
}

}  // namespace

bool IsWinIni(std::string_view fullPath) {
  return SameName(fullPath, WindowsFolder() + "\\win.ini");
}

WinIniWrites::Staged* WinIniWrites::Find(std::string_view section, std::string_view key) {
  const auto found = std::find_if(values_.begin(), values_.end(), [&](const Staged& s) {
    return SameName(s.section, section) && SameName(s.key, key);
  });
  return found == values_.end() ? nullptr : &*found;
}

std::optional<std::string> WinIniWrites::Before(std::string_view section, std::string_view key) {
  if (const Staged* staged = Find(section, key)) return staged->value;
  return StoredWinIniValue(section, key);
}

std::string WinIniWrites::Read(std::string_view section, std::string_view key,
                               std::string_view defaultValue) {
  if (const Staged* staged = Find(section, key)) return staged->value;
  return ReadWinIni(section, key, defaultValue);
}

bool WinIniWrites::Write(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file, bool inTransaction, bool dryRun) {
  if (!inTransaction) return dryRun || WriteWinIni(section, key, value);
  const std::optional<std::string> before = Before(section, key);
  // A value Win.ini already holds needs neither a check nor a write.
  if (before == value) return true;
  if (!checked_ && !dryRun && !WinIniWritable()) return false;
  checked_ = true;
  if (name_.empty()) name_ = std::string(file);
  pending_.push_back({std::string(section), std::string(key), before, std::string(value)});
  if (Staged* staged = Find(section, key)) {
    staged->value = std::string(value);
  } else {
    values_.push_back({std::string(section), std::string(key), std::string(value)});
  }
  return true;
}

std::optional<ProfileFileChange> WinIniWrites::Commit(bool dryRun) {
  if (pending_.empty()) return std::nullopt;
  ProfileFileChange change{name_, 0, 0, !dryRun, std::move(pending_)};
  pending_.clear();
  for (const ProfileKeyChange& k : change.keys) {
    ++(k.before ? change.changed : change.added);
    if (!dryRun && !WriteWinIni(k.section, k.key, k.after)) change.written = false;
  }
  // Once written (or not), the system answers the reads; a dry run keeps what it staged so that
  // the rest of the run sees it.
  if (!dryRun) values_.clear();
  return change;
}

void WinIniWrites::End(bool dryRun) {
  Commit(dryRun);
  values_.clear();
  name_.clear();
  checked_ = false;
}

}  // namespace tx3::platform::win32
