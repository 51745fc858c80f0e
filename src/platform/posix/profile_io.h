// The host file operations of the profile engine: whole-file reads with the file's identity,
// the writers' lock, atomic replacement and deferred durability.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/profile_engine.h"

namespace tx3::platform::posix {

class ProfileHostIo final : public ProfileIo {
 public:
  ReadOutcome Read(const std::string& path, const FileIdentity* known, FileIdentity* identity,
                   std::string* bytes) override;
  std::string ReplacementTarget(const std::string& path) override;
  std::string FolderOf(const std::string& path) override;
  bool Writable(const std::string& path) override;
  // A flock on the folder itself, so that no lock file is left behind and the lock survives the
  // rename of the files it guards.
  std::unique_ptr<ProfileLock> LockFolder(const std::string& folder) override;
  // Removes the temporary files of writers killed during a replacement (host_files.cpp, with
  // the other temporary-name work). Under the folder's lock: then no writer of this machine has
  // one open.
  void RemoveOrphans(const std::string& folder) override;
  // The new file is written beside the old one and renamed over it, with the permission bits
  // and owner of the file it replaces. False when the file is read-only (no write bit) or the
  // folder cannot be written.
  bool Replace(const std::string& path, std::string_view bytes, bool durable,
               FileIdentity* identity) override;
  // fsync of the file or folder (host_files.cpp).
  void Sync(const std::string& path, bool folder) override;
};

}  // namespace tx3::platform::posix
