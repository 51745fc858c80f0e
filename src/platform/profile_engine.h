// The profile (INI) engine shared by the platforms: GetPrivateProfileStringA /
// WritePrivateProfileStringA on parsed files kept while their identity is unchanged. The file
// operations (reads with the file's identity, the writers' lock, atomic replacement, durability)
// are the platform's, behind ProfileIo; paths here are the platform's own file paths.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/profile_file.h"
#include "platform/profile_text.h"

namespace tx3::platform {

// What tells whether a file changed since it was parsed: its device (volume), its inode (file
// index), its size and its modification time, as the system reports them.
struct FileIdentity {
  uint64_t device = 0;
  uint64_t fileIndex = 0;
  int64_t size = 0;
  int64_t modifiedNs = 0;  // nanoseconds since the epoch
  bool operator==(const FileIdentity& other) const = default;
};

enum class ReadOutcome { kRead, kUnchanged, kMissing, kFailed };

// Held while the writers of one folder are locked out.
class ProfileLock {
 public:
  virtual ~ProfileLock() = default;
};

// The file operations of the profile engine.
class ProfileIo {
 public:
  virtual ~ProfileIo() = default;
  // Reads the whole file unless its identity equals *known (kUnchanged, bytes untouched);
  // *identity receives the identity found. kMissing when there is no file.
  virtual ReadOutcome Read(const std::string& path, const FileIdentity* known,
                           FileIdentity* identity, std::string* bytes) = 0;
  // The file a write must replace: the target of a link, else the path itself.
  virtual std::string ReplacementTarget(const std::string& path) = 0;
  // The folder holding a file.
  virtual std::string FolderOf(const std::string& path) = 0;
  // Locks out the other writers of the folder until the answer is destroyed; nullptr when the
  // lock cannot be taken.
  virtual std::unique_ptr<ProfileLock> LockFolder(const std::string& folder) = 0;
  // Removes what writers killed during a replacement left in the folder (under its lock).
  virtual void RemoveOrphans(const std::string& folder) = 0;
  // Replaces the file atomically by one holding `bytes`, keeping its attributes; false when it
  // is read-only or cannot be written. *identity receives the new file's identity.
  virtual bool Replace(const std::string& path, std::string_view bytes, FileIdentity* identity) = 0;
  // Makes a written file, or a folder's entries, durable.
  virtual void Sync(const std::string& path, bool folder) = 0;
};

// Counters for the benchmark and the tests.
struct ProfileStats {
  uint64_t parses = 0;  // times a file was parsed
  uint64_t writes = 0;  // times a file was replaced
};

class ProfileEngine {
 public:
  // `codec` is the platform's ANSI code page: the caller's UTF-8 texts are converted through it,
  // as the A functions see them.
  explicit ProfileEngine(ProfileIo& io, const ProfileCodec& codec = Windows1252ProfileCodec())
      : io_(io), codec_(codec) {}
  ProfileEngine(const ProfileEngine&) = delete;
  ProfileEngine& operator=(const ProfileEngine&) = delete;

  // Section, key, default and value are UTF-8; the file holds the codec's code page (or UTF-16LE
  // when it starts with that byte-order mark). *value receives the whole stored value, or the
  // default. Answers the number of characters copied.
  uint32_t Read(const std::string& path, std::string_view section, std::string_view key,
                std::string_view defaultValue, std::string* value);

  // Writes one key; true when the file holds the value afterwards (an unchanged value is not
  // written again). False when the file or its folder cannot be written.
  bool Write(const std::string& path, std::string_view section, std::string_view key,
             std::string_view value);

  // Makes every file written since the last call durable (the files and their folders).
  void Flush();

  ProfileStats Stats();
  void ResetStats();

 private:
  // A parsed file with the bytes and identity it was parsed from.
  struct CachedFile {
    FileIdentity identity;
    std::string bytes;
    ProfileFile file;
  };

  CachedFile& Remember(const std::string& path, CachedFile entry);
  const ProfileFile* FileForReading(const std::string& path);
  bool FileForWriting(const std::string& path, CachedFile* current);

  std::string ToFileText(std::string_view ansi, ProfileEncoding encoding) const;
  std::string FromFileText(std::string_view text, ProfileEncoding encoding) const;
  std::string EffectiveDefault(std::string_view defaultValue) const;

  ProfileIo& io_;
  const ProfileCodec& codec_;
  std::mutex mutex_;
  std::unordered_map<std::string, CachedFile> cache_;
  std::set<std::string> unsyncedFiles_;
  std::set<std::string> unsyncedFolders_;
  std::set<std::string> cleanedFolders_;
  ProfileStats stats_;
};

}  // namespace tx3::platform
