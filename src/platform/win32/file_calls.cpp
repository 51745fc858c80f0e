#include "platform/win32/file_calls.h"

#include "platform/file_faults.h"

namespace tx3::platform {
namespace {

// The system's error for each FileFault, in its order.
constexpr DWORD kErrors[] = {ERROR_DISK_FULL, ERROR_IO_DEVICE, ERROR_ACCESS_DENIED,
                             ERROR_WRITE_PROTECT, ERROR_SHARING_VIOLATION};

}  // namespace

bool InjectedFileFault(FileCall call) {
  const auto fault = FileCallFault(call);
  if (!fault) return false;
  ::SetLastError(kErrors[static_cast<size_t>(*fault)]);
  return true;
}

}  // namespace tx3::platform

namespace tx3::platform::win32::sys {

HANDLE Open(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  if (InjectedFileFault(FileCall::kOpen)) return INVALID_HANDLE_VALUE;
  return ::CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}

BOOL Read(HANDLE file, void* buffer, DWORD size, DWORD* got) {
  *got = 0;
  return InjectedFileFault(FileCall::kRead) ? FALSE : ::ReadFile(file, buffer, size, got, nullptr);
}

BOOL Write(HANDLE file, const void* buffer, DWORD size, DWORD* written) {
  *written = 0;
  return InjectedFileFault(FileCall::kWrite) ? FALSE
                                             : ::WriteFile(file, buffer, size, written, nullptr);
}

BOOL Flush(HANDLE file) {
  return InjectedFileFault(FileCall::kSync) ? FALSE : ::FlushFileBuffers(file);
}

BOOL Move(const wchar_t* from, const wchar_t* to, DWORD flags) {
  return InjectedFileFault(FileCall::kRename) ? FALSE : ::MoveFileExW(from, to, flags);
}

BOOL MakeFolder(const wchar_t* path) {
  return InjectedFileFault(FileCall::kMakeFolder) ? FALSE : ::CreateDirectoryW(path, nullptr);
}

BOOL MakeFolderLike(const wchar_t* templateFolder, const wchar_t* path) {
  if (InjectedFileFault(FileCall::kMakeFolder)) return FALSE;
  return ::CreateDirectoryExW(templateFolder, path, nullptr);
}

DWORD Attributes(const wchar_t* path) {
  return InjectedFileFault(FileCall::kStat) ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(path);
}

BOOL Information(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
  return InjectedFileFault(FileCall::kStat) ? FALSE : ::GetFileInformationByHandle(file, info);
}

BOOL Size(HANDLE file, LARGE_INTEGER* size) {
  return InjectedFileFault(FileCall::kStat) ? FALSE : ::GetFileSizeEx(file, size);
}

DWORD WaitForLock(HANDLE mutex, DWORD milliseconds) {
  return InjectedFileFault(FileCall::kLock) ? WAIT_FAILED
                                            : ::WaitForSingleObject(mutex, milliseconds);
}

}  // namespace tx3::platform::win32::sys
