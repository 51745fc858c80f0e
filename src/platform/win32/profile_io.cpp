#include "platform/win32/profile_io.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>

#include "platform/win32/long_path.h"
#include "platform/win32/wide_text.h"

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

// What another program holding the file open answers; worth waiting for.
bool IsBusy(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Runs `attempt` until it succeeds, fails for another reason than a busy file, or `milliseconds`
// have passed. Answers ERROR_SUCCESS or the last failure.
DWORD RetryWhileBusy(unsigned milliseconds, const std::function<bool()>& attempt) {
  const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
  while (true) {
    if (attempt()) return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    if (!IsBusy(error) || ::GetTickCount64() >= deadline) return error;
    ::Sleep(20);
  }
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
  FileIdentity identity;
  identity.device = info.dwVolumeSerialNumber;
  identity.fileIndex = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  identity.size =
      static_cast<int64_t>((static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
  const uint64_t ticks = (static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                         info.ftLastWriteTime.dwLowDateTime;
  // 100-ns ticks since 1601 -> nanoseconds since 1970.
  identity.modifiedNs = (static_cast<int64_t>(ticks) - 116'444'736'000'000'000LL) * 100;
  return identity;
}

bool IdentityOfFile(const std::wstring& path, FileIdentity* identity) {
  const Handle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info)) return false;
  *identity = IdentityOf(info);
  return true;
}

size_t LastSeparator(const std::string& path) {
  return path.find_last_of("\\/");
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
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
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
  const DWORD error = RetryWhileBusy(busyMilliseconds_, [&] {
    opened = ::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return opened != INVALID_HANDLE_VALUE;
  });
  if (error != ERROR_SUCCESS) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadOutcome::kMissing
                                                                          : ReadOutcome::kFailed;
  }
  const Handle file(opened);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return ReadOutcome::kFailed;
  }
  *identity = IdentityOf(info);
  if (known != nullptr && *known == *identity) return ReadOutcome::kUnchanged;
  bytes->clear();
  bytes->reserve(static_cast<size_t>(identity->size));
  char buffer[64 * 1024];
  while (true) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return ReadOutcome::kFailed;
    if (got == 0) return ReadOutcome::kRead;
    bytes->append(buffer, got);
  }
}

std::string Win32ProfileIo::ReplacementTarget(const std::string& path) {
  return path;
}

std::string Win32ProfileIo::FolderOf(const std::string& path) {
  const size_t separator = LastSeparator(path);
  if (separator == std::string::npos) return ".";
  // The root keeps its separator: "C:\" is a folder, "C:" the current folder of the drive.
  if (separator == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, separator);
}

std::unique_ptr<ProfileLock> Win32ProfileIo::LockFolder(const std::string& folder) {
  // The global name reaches the other sessions of the machine; where it is refused, this one.
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, LockName(folder, L"Global").c_str());
  if (mutex == nullptr) mutex = ::CreateMutexW(nullptr, FALSE, LockName(folder, L"Local").c_str());
  if (mutex == nullptr) return nullptr;
  const DWORD waited = ::WaitForSingleObject(mutex, INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    ::CloseHandle(mutex);
    return nullptr;
  }
  return std::make_unique<MutexLock>(mutex);
}

void Win32ProfileIo::RemoveOrphans(const std::string& folder) {
  const std::string prefix = folder + "\\" + std::string(kProfileTempPrefix);
  WIN32_FIND_DATAW entry{};
  const HANDLE search = ::FindFirstFileW(SystemPath(prefix + "*.tmp").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      ::DeleteFileW(SystemPath(folder + "\\" + Narrow(entry.cFileName)).c_str());
    }
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
}

bool Win32ProfileIo::Replace(const std::string& path, std::string_view bytes,
                             FileIdentity* identity) {
  const std::wstring target = SystemPath(path);
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    return false;

  static std::atomic<unsigned> counter{0};
  const size_t separator = LastSeparator(path);
  const std::string base = separator == std::string::npos ? path : path.substr(separator + 1);
  const std::string temporaryName = FolderOf(path) + "\\" + std::string(kProfileTempPrefix) + base +
                                    "." + std::to_string(::GetCurrentProcessId()) + "." +
                                    std::to_string(counter++) + ".tmp";
  const std::wstring temporary = SystemPath(temporaryName);
  {
    const Handle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    // The new content is on disk before it takes the old one's name: a crash leaves either file.
    if (!WriteAll(file.get(), bytes) || !::FlushFileBuffers(file.get())) {
      ::DeleteFileW(temporary.c_str());
      return false;
    }
  }
  bool replacing = exists;
  const DWORD error = RetryWhileBusy(busyMilliseconds_, [&] {
    if (replacing) {
      if (::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                         nullptr)) {
        return true;
      }
      const DWORD failure = ::GetLastError();
      // Gone meanwhile, or removed by a swap that could not finish: the name is free.
      if (failure != ERROR_FILE_NOT_FOUND && failure != ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        ::SetLastError(failure);
        return false;
      }
      replacing = false;
    }
    return ::MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  });
  if (error != ERROR_SUCCESS) {
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
  const Handle file(::CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.valid()) ::FlushFileBuffers(file.get());
}

}  // namespace tx3::platform::win32
