#include "platform/win32/profile_io.h"

#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/temporary_name.h"
#include "platform/win32/file_calls.h"
#include "platform/win32/long_path.h"
#include "platform/win32/wide_text.h"
#include "platform/windows_path.h"

namespace tx3::platform::win32 {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class MutexLock final : public ProfileLock {
 public:
  explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
  ~MutexLock() override {
    ::ReleaseMutex(mutex_);
    ::CloseHandle(mutex_);
  }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;

 private:
  HANDLE mutex_;
};

// What another program holding the file open answers; worth waiting for. A read is not retried
// on "access denied": a folder named as a file, or a file the user may not read, answers it for
// good, and every key would wait in vain.
bool IsBusyForRead(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// The swap also meets "access denied" while a scanner or the indexer still holds the old file
// with a delete pending.
bool IsBusyForSwap(DWORD error) {
  return IsBusyForRead(error) || error == ERROR_ACCESS_DENIED;
}

// Runs `attempt` until it succeeds, fails for another reason than a busy file, or `milliseconds`
// have passed. Answers ERROR_SUCCESS or the last failure.
DWORD RetryWhileBusy(unsigned milliseconds, bool (*busy)(DWORD),
                     const std::function<bool()>& attempt) {
  const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
  while (true) {
    if (attempt()) return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    if (!busy(error) || ::GetTickCount64() >= deadline) return error;
    ::Sleep(20);
  }
}

ULONGLONG Ticks(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
  FileIdentity identity;
  identity.device = info.dwVolumeSerialNumber;
  identity.fileIndex = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  identity.size =
      static_cast<int64_t>((static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
  const uint64_t ticks = Ticks(info.ftLastWriteTime);
  // 100-ns ticks since 1601 -> nanoseconds since 1970.
  identity.modifiedNs = (static_cast<int64_t>(ticks) - 116'444'736'000'000'000LL) * 100;
  return identity;
}

bool IdentityOfFile(const std::wstring& path, FileIdentity* identity) {
  const Handle file(sys::Open(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.valid() || !sys::Information(file.get(), &info)) return false;
  *identity = IdentityOf(info);
  return true;
}

// The kernel object name of a folder's lock: one per folder whatever the spelling of its path.
std::wstring LockName(const std::string& folder, const wchar_t* space) {
  std::wstring full = FullPath(Widen(folder));
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  ::CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a over the UTF-16 units
  for (const wchar_t unit : full) {
    hash = (hash ^ static_cast<uint16_t>(unit)) * 1099511628211ULL;
  }
  wchar_t name[64];
  std::swprintf(name, 64, L"%ls\\tx3-profile-%016llx", space,
                static_cast<unsigned long long>(hash));
  return name;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1U << 20));
    DWORD written = 0;
    if (!sys::Write(file, bytes.data(), chunk, &written) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Writes the new content under the temporary's name and flushes it, then gives it its
// attributes; nothing is left when a step fails. The content is on disk before it takes the old
// file's name: a crash leaves either file.
bool WriteTemporary(const std::wstring& temporary, std::string_view bytes, DWORD attributes) {
  bool written = false;
  {
    // Marked "temporary" until complete, so that a writer killed meanwhile leaves a file nobody
    // takes for a whole one.
    const Handle file(
        sys::Open(temporary.c_str(), GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY));
    if (!file.valid()) return false;
    written = WriteAll(file.get(), bytes) && sys::Flush(file.get());
  }  // closed first: opened without sharing, it cannot be removed while open
  if (written && ::SetFileAttributesW(temporary.c_str(), attributes)) return true;
  ::DeleteFileW(temporary.c_str());
  return false;
}

// A profile is never this large; a corrupt size must not make the read allocate without bound.
constexpr int64_t kLargestProfile = int64_t{256} << 20;

// A writer that waits longer than this for the folder's lock gives up and reports the write as
// failed, rather than freezing the program behind a holder that hangs.
constexpr DWORD kLockMilliseconds = 30'000;

std::string ThisMachine() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!::GetComputerNameW(name, &size)) return "HOST";
  return Narrow(std::wstring_view(name, size));
}

// A process of this machine that no longer exists (a process we may not open still runs).
bool ProcessIsGone(uint64_t processId) {
  const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
  if (process != nullptr) {
    // An exited process whose handle someone still holds.
    const bool exited = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return exited;
  }
  return ::GetLastError() == ERROR_INVALID_PARAMETER;
}

ULONGLONG Now() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return Ticks(now);
}

// Open to every user's synchronize and release, so that a writer of another account waits on the
// same mutex instead of being refused it; an existing one is opened for no more than that.
HANDLE CreateSharedMutex(const std::wstring& name) {
  constexpr DWORD kAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;0x100001;;;WD)", SDDL_REVISION_1,
                                                         &descriptor, nullptr);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  const HANDLE mutex =
      ::CreateMutexExW(descriptor != nullptr ? &attributes : nullptr, name.c_str(), 0, kAccess);
  const DWORD error = ::GetLastError();
  if (descriptor != nullptr) ::LocalFree(descriptor);
  ::SetLastError(error);
  return mutex;
}

}  // namespace

std::string SystemAnsiCodec::Utf8ToAnsi(std::string_view utf8) const {
  return Utf8ToSystemAnsi(utf8);
}

std::string SystemAnsiCodec::AnsiToUtf8(std::string_view ansi) const {
  return SystemAnsiToUtf8(ansi);
}

ReadOutcome Win32ProfileIo::Read(const std::string& path, const FileIdentity* known,
                                 FileIdentity* identity, std::string* bytes) {
  const std::wstring wide = SystemPath(path);
  HANDLE opened = INVALID_HANDLE_VALUE;
  const DWORD error = RetryWhileBusy(busyMilliseconds_, IsBusyForRead, [&] {
    opened =
        sys::Open(wide.c_str(), GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
    return opened != INVALID_HANDLE_VALUE;
  });
  if (error != ERROR_SUCCESS) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadOutcome::kMissing
                                                                          : ReadOutcome::kFailed;
  }
  const Handle file(opened);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!sys::Information(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return ReadOutcome::kFailed;
  }
  *identity = IdentityOf(info);
  if (known != nullptr && *known == *identity) return ReadOutcome::kUnchanged;
  if (identity->size > kLargestProfile) return ReadOutcome::kFailed;
  bytes->clear();
  bytes->reserve(static_cast<size_t>(identity->size));
  char buffer[64 * 1024];
  while (true) {
    DWORD got = 0;
    if (!sys::Read(file.get(), buffer, sizeof buffer, &got)) return ReadOutcome::kFailed;
    if (got == 0) return ReadOutcome::kRead;
    bytes->append(buffer, got);
  }
}

std::string Win32ProfileIo::ReplacementTarget(const std::string& path) {
  return path;
}

std::string Win32ProfileIo::FolderOf(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  if (separator == std::string::npos) return ".";
  // The root keeps its separator: "C:\" is a folder, "C:" the current folder of the drive.
  if (separator == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, separator);
}

std::unique_ptr<ProfileLock> Win32ProfileIo::LockFolder(const std::string& folder) {
  // The global name reaches the other sessions of the machine. A mutex another account created
  // is opened rather than created; only where the global namespace itself refuses us does the
  // lock fall back to this session's.
  const std::wstring global = LockName(folder, L"Global");
  HANDLE mutex = CreateSharedMutex(global);
  if (mutex == nullptr && ::GetLastError() == ERROR_ACCESS_DENIED) {
    mutex = ::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, global.c_str());
    if (mutex == nullptr && ::GetLastError() != ERROR_FILE_NOT_FOUND) return nullptr;
  }
  if (mutex == nullptr) mutex = CreateSharedMutex(LockName(folder, L"Local"));
  if (mutex == nullptr) return nullptr;
  const DWORD waited = sys::WaitForLock(mutex, kLockMilliseconds);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    ::CloseHandle(mutex);
    return nullptr;
  }
  return std::make_unique<MutexLock>(mutex);
}

// Under the folder's lock, so no writer of this machine is between its temporary and its swap.
// Another machine's writer, or one that reached the folder under another spelling, may be: its
// temporary is left alone until it is an hour old.
void Win32ProfileIo::RemoveOrphans(const std::string& folder) {
  struct Orphan {
    std::wstring path;
    std::wstring target;  // empty when the name does not tell
    ULONGLONG written;
    bool complete;
  };
  const std::wstring folderPath = Widen(folder) + L"\\";
  const std::string machine = ThisMachine();
  const ULONGLONG now = Now();
  std::vector<Orphan> orphans;
  WIN32_FIND_DATAW entry{};
  const HANDLE search = ::FindFirstFileW(
      SystemPath(folderPath + Widen(kTemporaryPrefix) + L"*" + Widen(kTemporarySuffix)).c_str(),
      &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const TemporaryNameParts name = ParseTemporaryName(Narrow(entry.cFileName));
    const ULONGLONG written = Ticks(entry.ftLastWriteTime);
    const auto ageSeconds = static_cast<int64_t>(now > written ? (now - written) / 10'000'000 : 0);
    if (!IsAbandoned(name, machine, ::GetCurrentProcessId(), ageSeconds, ProcessIsGone)) continue;
    // A temporary is marked "temporary" until all of it is written and flushed.
    orphans.push_back({folderPath + entry.cFileName, Widen(name.target), written,
                       (entry.dwFileAttributes & FILE_ATTRIBUTE_TEMPORARY) == 0});
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);

  // A file whose swap did not finish may be the only copy left: the newest complete one goes back
  // in place, and the older ones are then removed with the rest.
  std::sort(orphans.begin(), orphans.end(),
            [](const Orphan& a, const Orphan& b) { return a.written > b.written; });
  const ULONGLONG age100ns = static_cast<ULONGLONG>(kAbandonedAfterSeconds) * 10'000'000ULL;
  const ULONGLONG oldest = now > age100ns ? now - age100ns : 0;
  for (const Orphan& orphan : orphans) {
    const std::wstring path = SystemPath(orphan.path);
    if (orphan.target.empty()) {
      // Without a target in its name, an orphan is removed only once it is old.
      if (orphan.written < oldest) ::DeleteFileW(path.c_str());
      continue;
    }
    const std::wstring target = SystemPath(folderPath + orphan.target);
    if (sys::Attributes(target.c_str()) == INVALID_FILE_ATTRIBUTES && orphan.complete) {
      sys::Move(path.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    } else {
      ::DeleteFileW(path.c_str());
    }
  }
}

// The swap is MoveFileExW, not ReplaceFileW. A rename over the old name is atomic on NTFS: a
// reader of another process sees the old file or the new one, whereas ReplaceFileW leaves a moment
// without any file, in which a reader finds the default and may write it back over the stored
// value; and ReplaceFileW can fail after the old file is gone. What ReplaceFileW would keep besides
// the attributes, the file's own security, is in this suite's folders the one the folder hands
// down anyway.
bool Win32ProfileIo::Writable(const std::string& path) {
  const DWORD attributes = sys::Attributes(SystemPath(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES)
    return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
  const DWORD folder = sys::Attributes(SystemPath(FolderOf(path)).c_str());
  return folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32ProfileIo::Replace(const std::string& path, std::string_view bytes, bool /*durable*/,
                             FileIdentity* identity) {
  const std::wstring target = SystemPath(path);
  const DWORD attributes = sys::Attributes(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  // Without the old file's attributes the new one could not keep them.
  if (!exists && ::GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    return false;
  const DWORD kept = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD newAttributes = exists ? attributes & kept : FILE_ATTRIBUTE_ARCHIVE;

  static std::atomic<unsigned> counter{0};
  const std::wstring temporary = SystemPath(
      FolderOf(path) + "\\" +
      TemporaryName(LastComponent(path), ThisMachine(), ::GetCurrentProcessId(), counter++));
  if (!WriteTemporary(temporary, bytes, newAttributes != 0 ? newAttributes : FILE_ATTRIBUTE_NORMAL))
    return false;
  const DWORD error = RetryWhileBusy(busyMilliseconds_, IsBusyForSwap, [&] {
    return sys::Move(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  });
  if (error != ERROR_SUCCESS) {
    // With the old file still there, or none before, the new content is only the failed write's;
    // an old file gone meanwhile leaves the temporary the only copy, which the next writer puts
    // in place.
    if (!exists || sys::Attributes(target.c_str()) != INVALID_FILE_ATTRIBUTES)
      ::DeleteFileW(temporary.c_str());
    return false;
  }
  if (!IdentityOfFile(target, identity)) *identity = FileIdentity{};
  return true;
}

// The folder's entries need nothing more: NTFS journals the swap, which MoveFileExW made with
// write-through, and Windows offers programs no flush of a folder.
void Win32ProfileIo::Sync(const std::string& path, bool folder) {
  if (folder) return;
  const Handle file(sys::Open(SystemPath(path).c_str(), GENERIC_WRITE, kShareAll, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL));
  if (file.valid()) sys::Flush(file.get());
}

}  // namespace tx3::platform::win32
