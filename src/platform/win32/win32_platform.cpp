#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <algorithm>

#include "platform/code_page.h"
#include "platform/win32/file_calls.h"
#include "platform/win32/long_path.h"
#include "platform/win32/wide_text.h"
#include "platform/windows_path.h"

namespace tx3::platform::win32 {

std::string Win32Platform::Utf8ToAnsi(std::string_view utf8) {
  return Utf8ToSystemAnsi(utf8);
}

std::string Win32Platform::AnsiToUtf8(std::string_view ansi) {
  return SystemAnsiToUtf8(ansi);
}

std::string Win32Platform::ProfilePath(std::string_view file) {
  return Narrow(FullPath(Widen(ProfileFilePath(WindowsDirectory(), file))));
}

uint32_t Win32Platform::ReadProfileString(std::string_view section, std::string_view key,
                                          std::string_view defaultValue, std::string* value,
                                          std::string_view file) {
  const std::string path = ProfilePath(file);
  if (IsWinIni(path)) {
    *value = winIni_.Read(section, key, defaultValue);
    return CharacterCount(*value);
  }
  return profiles_.Read(path, section, key, defaultValue, value);
}

bool Win32Platform::WriteProfileEntry(std::string_view section, std::string_view key,
                                      std::string_view value, std::string_view file) {
  const std::string path = ProfilePath(file);
  if (IsWinIni(path)) {
    return winIni_.Write(section, key, value, file, transactions_.Active(), profileDryRun_);
  }
  if (!profiles_.Write(path, section, key, value)) return false;
  transactions_.Named(path, file);
  return true;
}

void Win32Platform::BeginProfileTransaction() {
  transactions_.Begin();
}

// Win.ini first: the global configuration writes it before its own file.
std::vector<ProfileFileChange> Win32Platform::CommitProfileWrites() {
  std::vector<ProfileFileChange> changes;
  if (transactions_.Active()) {
    if (std::optional<ProfileFileChange> winIni = winIni_.Commit(profileDryRun_)) {
      changes.push_back(std::move(*winIni));
    }
  }
  for (ProfileFileChange& change : transactions_.Commit()) changes.push_back(std::move(change));
  return changes;
}

void Win32Platform::EndProfileTransaction() {
  transactions_.End();
  if (!transactions_.Active()) winIni_.End(profileDryRun_);
}

void Win32Platform::SetProfileDryRun(bool dryRun) {
  profileDryRun_ = dryRun;
  transactions_.SetDryRun(dryRun);
}

// Every Windows build names the library its engine installs, so the built-in engine of Linux
// is never chosen here.
std::optional<std::string> Win32Platform::DefaultEngineLibraryName() {
#if defined(_WIN64)
  return "w64btrv.dll";
#else
  return "WBTRV32.DLL";
#endif
}

std::string Win32Platform::EnginePath(std::string_view path) {
  return Utf8ToSystemAnsi(path);
}

std::string Win32Platform::TextFromEngine(std::string_view engineText) {
  return SystemAnsiToUtf8(engineText);
}

// The database command asks whether a file present is only the built-in engine's stand-in; on
// Windows it reads the head of a real engine file.
bool Win32Platform::ReadEngineFile(std::string_view enginePath, size_t maxBytes,
                                   std::string* bytes) {
  const HANDLE file =
      sys::Open(SystemPath(SystemAnsiToUtf8(enginePath)).c_str(), GENERIC_READ,
                FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->assign(maxBytes, '\0');
  size_t total = 0;
  bool ok = true;
  // Until the end of the file (nothing read), a failure or `maxBytes`.
  for (DWORD got = 1; ok && got != 0 && total < maxBytes; total += got) {
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(maxBytes - total, 1U << 20));
    ok = sys::Read(file, bytes->data() + total, wanted, &got) != FALSE;
  }
  ::CloseHandle(file);
  bytes->resize(ok ? total : 0);
  return ok;
}

// There is no built-in engine on Windows: nothing writes engine files but the engine itself.
ReplaceOutcome Win32Platform::ReplaceEngineFile(std::string_view /*enginePath*/,
                                                std::string_view /*bytes*/) {
  return ReplaceOutcome::kFailed;
}

std::string Win32Platform::WindowsPathFromHost(std::string_view hostPath) {
  return std::string(hostPath);
}

std::string Win32Platform::HostPathForDialog(std::string_view windowsPath) {
  const DWORD attributes = ::GetFileAttributesW(SystemPath(windowsPath).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return {};
  return std::string(windowsPath);
}

// The Windows window is part of the program itself.
std::unique_ptr<Library> Win32Platform::LoadProgramModule(std::string_view /*fileName*/) {
  return nullptr;
}

// Answer files and reports go through the profile engine's file operations: whole-file reads,
// and a replacement written and flushed before it takes the old file's name.
bool Win32Platform::ReadNamedFile(std::string_view path, std::string* bytes) {
  FileIdentity identity;
  return profileIo_.Read(Narrow(FullPath(Widen(path))), nullptr, &identity, bytes) ==
         ReadOutcome::kRead;
}

bool Win32Platform::ReplaceNamedFile(std::string_view path, std::string_view bytes) {
  FileIdentity identity;
  return profileIo_.Replace(Narrow(FullPath(Widen(path))), bytes, /*durable=*/true, &identity);
}

void Win32Platform::AppendLog(std::string_view line) {
  log_.Append(line);
}

void Win32Platform::OpenLog() {
  log_.Open();
}

}  // namespace tx3::platform::win32
