// The Win32 calls of the file layer, each asking first whether a test injects a failure there
// (platform/file_faults.h): then it sets the last error as Windows would and answers the call's
// failure value, without making the call.
#pragma once

#include <windows.h>

namespace tx3::platform::win32::sys {

// CreateFileW.
HANDLE Open(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
// ReadFile, WriteFile and FlushFileBuffers, synchronous.
BOOL Read(HANDLE file, void* buffer, DWORD size, DWORD* got);
BOOL Write(HANDLE file, const void* buffer, DWORD size, DWORD* written);
BOOL Flush(HANDLE file);
// MoveFileExW.
BOOL Move(const wchar_t* from, const wchar_t* to, DWORD flags);
// CreateDirectoryW, and CreateDirectoryExW after a template folder.
BOOL MakeFolder(const wchar_t* path);
BOOL MakeFolderLike(const wchar_t* templateFolder, const wchar_t* path);
// GetFileAttributesW, GetFileInformationByHandle and GetFileSizeEx.
DWORD Attributes(const wchar_t* path);
BOOL Information(HANDLE file, BY_HANDLE_FILE_INFORMATION* info);
BOOL Size(HANDLE file, LARGE_INTEGER* size);
// WaitForSingleObject on the folder's lock, the writers' lock of the profile files: WAIT_FAILED
// when the failure is injected.
DWORD WaitForLock(HANDLE mutex, DWORD milliseconds);

}  // namespace tx3::platform::win32::sys
