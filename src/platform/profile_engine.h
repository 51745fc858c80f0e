// The profile (INI) engine shared by the platforms: GetPrivateProfileStringA /
// WritePrivateProfileStringA on parsed files kept while their identity is unchanged. The file
// operations (reads with the file's identity, the writers' lock, atomic replacement, durability)
// are the platform's, behind ProfileIo; paths here are the platform's own file paths.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/profile_change.h"
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
  // Whether Replace could write the file: its folder exists and the file, when there is one, is
  // neither read-only nor a folder.
  virtual bool Writable(const std::string& path) = 0;
  // Locks out the other writers of the folder until the answer is destroyed; nullptr when the
  // lock cannot be taken.
  virtual std::unique_ptr<ProfileLock> LockFolder(const std::string& folder) = 0;
  // Removes what writers killed during a replacement left in the folder (under its lock).
  virtual void RemoveOrphans(const std::string& folder) = 0;
  // Replaces the file atomically by one holding `bytes`, keeping its attributes; false when it
  // is read-only or cannot be written. With `durable` the new content is on disk before it takes
  // the file's name. *identity receives the new file's identity.
  virtual bool Replace(const std::string& path, std::string_view bytes, bool durable,
                       FileIdentity* identity) = 0;
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
  // written again). False when the file or its folder cannot be written. Within a transaction
  // the key goes to the parsed copy, and true means it will be written at the commit.
  bool Write(const std::string& path, std::string_view section, std::string_view key,
             std::string_view value);

  // Transactions, nested: within the outermost one each file is read and parsed once, reads and
  // writes work on the parsed copy, and Commit writes each changed file once, atomically and
  // durably. The commit takes the folder's lock, reads the file again and, when another process
  // changed it meanwhile, replays the transaction's writes on the newest content: what the
  // other process wrote to other keys is kept.
  void BeginTransaction();
  // Writes what changed since the last commit; answers one entry per file with changes.
  std::vector<ProfileFileChange> Commit();
  // In a dry run nothing is ever written: a commit answers what it would write (every entry
  // unwritten) and the parsed copies keep the changes until the outermost transaction ends.
  void SetDryRun(bool dryRun);
  // Ends one level; the outermost commits what is left and forgets the parsed copies.
  void EndTransaction();

  // Makes every file written outside a transaction since the last call durable (the files and
  // their folders).
  void Flush();

  ProfileStats Stats();
  void ResetStats();

 private:
  // A parsed file with the identity it was read with. The file is shared with the transaction
  // that reads it, until the transaction changes it.
  struct CachedFile {
    FileIdentity identity;
    std::shared_ptr<ProfileFile> file;
  };
  // One key written: names and value in the file's text form.
  struct Edit {
    std::string section;
    std::string key;
    std::string value;
    ProfileKeyChange asCalled;  // the caller's texts
  };
  // A file as a transaction sees it: the content it was read from with its writes since the last
  // commit (the file knows which bytes it was parsed from).
  struct StagedFile {
    bool readable = true;  // false: it exists but cannot be read, so nothing is written to it
    bool checked = false;  // the writability check passed
    std::shared_ptr<ProfileFile> file = std::make_shared<ProfileFile>();
    std::optional<FileIdentity> identity;  // of what `file` was read from; none: no file
    std::vector<Edit> edits;
    std::vector<ProfileKeyChange> keys;  // what the edits changed, as the caller named it
  };

  CachedFile& Remember(const std::string& path, CachedFile entry);
  const CachedFile* Cached(const std::string& path, bool* failed);
  StagedFile Load(const std::string& path);
  StagedFile& Staged(const std::string& path);
  ProfileFile& Editable(StagedFile& staged, const std::string& path);
  void Replay(StagedFile& staged, std::string current);
  bool Stage(StagedFile& staged, const std::string& path, std::string_view section,
             std::string_view key, std::string_view value);
  bool CommitFile(const std::string& path, StagedFile& staged, bool durable, std::string* target,
                  std::string* folder);
  std::vector<ProfileFileChange> CommitAll();

  std::string ToFileText(std::string_view ansi, ProfileEncoding encoding) const;
  std::string FromFileText(std::string_view text, ProfileEncoding encoding) const;
  std::string EffectiveDefault(std::string_view defaultValue) const;
  bool Apply(ProfileFile& file, const Edit& edit, std::vector<ProfileKeyChange>* keys) const;
  static ProfileFileChange Outcome(const std::string& path, StagedFile& staged, bool written);

  ProfileIo& io_;
  const ProfileCodec& codec_;
  std::mutex mutex_;
  std::unordered_map<std::string, CachedFile> cache_;
  int depth_ = 0;
  bool dryRun_ = false;
  std::unordered_map<std::string, StagedFile> staged_;
  std::vector<std::string> stagedOrder_;  // the order files were first changed in
  std::set<std::string> unsyncedFiles_;
  std::set<std::string> unsyncedFolders_;
  std::set<std::string> cleanedFolders_;
  ProfileStats stats_;
};

}  // namespace tx3::platform
