// The built-in engine's file access on host paths: bounded reads and atomic replacement that
// respects another process's lock.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tx3::platform::posix {

// Reads at most `maxBytes` of the file; false when it cannot be opened or read.
bool ReadHostFile(const std::string& path, size_t maxBytes, std::string* bytes);
// The same for a regular file only: a data file replaced by a FIFO or a device is never waited
// on nor read without end.
bool ReadRegularHostFile(const std::string& path, size_t maxBytes, std::string* bytes);

// Writes `bytes` to a new file beside `path`, makes it durable and renames it over `path`.
// kLocked when an existing file is held by an exclusive flock elsewhere, kFailed when it cannot
// be written (nothing is left behind). Without `durable` the file and its folder entry are left
// for the caller to make durable (SyncFileSystem).
ReplaceOutcome ReplaceHostFile(const std::string& path, std::string_view bytes,
                               bool durable = true);

}  // namespace tx3::platform::posix
