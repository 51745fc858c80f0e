// The system calls of the file layer, each asking first whether a test injects a failure there
// (platform/file_faults.h): then it sets errno as the system would and fails.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace tx3::platform::posix::sys {

int Open(const char* path, int flags, mode_t mode = 0);
ssize_t Read(int fd, void* buffer, size_t size);
ssize_t Write(int fd, const void* buffer, size_t size);
int Fsync(int fd);
int Syncfs(int fd);
int Rename(const char* from, const char* to);
// linkat(AT_FDCWD, from, AT_FDCWD, to, AT_SYMLINK_FOLLOW): names an open unnamed file.
int Link(const char* from, const char* to);
int Flock(int fd, int operation);
int Mkdir(const char* path, mode_t mode);
int Stat(const char* path, struct stat* info);
int Lstat(const char* path, struct stat* info);
int Fstat(int fd, struct stat* info);

}  // namespace tx3::platform::posix::sys
