#include "platform/posix/profile_store.h"

#include <mutex>
#include <set>
#include <unordered_map>
#include <utility>

#include "platform/posix/profile_ansi.h"
#include "platform/posix/profile_file.h"
#include "platform/posix/profile_io.h"

namespace tx3::platform::posix {
namespace {

// A parsed file with the bytes and identity it was parsed from.
struct CachedFile {
  FileIdentity identity;
  std::string bytes;
  ProfileFile file;
};

// Enough for the handful of settings files a run touches; beyond it the cache starts afresh.
constexpr size_t kMaxCachedFiles = 32;

struct Store {
  std::mutex mutex;
  std::unordered_map<std::string, CachedFile> cache;
  std::set<std::string> unsyncedFiles;
  std::set<std::string> unsyncedFolders;
  std::set<std::string> cleanedFolders;
  ProfileStats stats;
};

Store& TheStore() {
  static Store store;
  return store;
}

CachedFile& Remember(Store& store, const std::string& path, CachedFile entry) {
  if (store.cache.size() >= kMaxCachedFiles && !store.cache.contains(path)) store.cache.clear();
  return store.cache[path] = std::move(entry);
}

// The parsed file for reading: the cached one while the file's identity is unchanged.
// Nullptr when there is no readable file.
const ProfileFile* FileForReading(Store& store, const std::string& path) {
  const auto cached = store.cache.find(path);
  const FileIdentity* known = cached == store.cache.end() ? nullptr : &cached->second.identity;
  CachedFile fresh;
  switch (ReadProfileBytes(path, known, &fresh.identity, &fresh.bytes)) {
    case ReadOutcome::kUnchanged:
      return &cached->second.file;
    case ReadOutcome::kRead:
      fresh.file = ProfileFile::Parse(fresh.bytes);
      ++store.stats.parses;
      return &Remember(store, path, std::move(fresh)).file;
    case ReadOutcome::kMissing:
    case ReadOutcome::kFailed:
      break;
  }
  store.cache.erase(path);
  return nullptr;
}

// The parsed file for a write, under the folder lock. The bytes are compared, not only the
// identity: a replaced file may reuse an inode within one clock tick, and a lost key is worse
// than a read. False when the file exists but cannot be read.
bool FileForWriting(Store& store, const std::string& path, CachedFile* current) {
  switch (ReadProfileBytes(path, nullptr, &current->identity, &current->bytes)) {
    case ReadOutcome::kRead:
      break;
    case ReadOutcome::kMissing:
      *current = CachedFile{};
      return true;
    case ReadOutcome::kUnchanged:
    case ReadOutcome::kFailed:
      return false;
  }
  const auto cached = store.cache.find(path);
  if (cached != store.cache.end() && cached->second.bytes == current->bytes) {
    current->file = cached->second.file;
  } else {
    current->file = ProfileFile::Parse(current->bytes);
    ++store.stats.parses;
  }
  return true;
}

// The caller's text as the A functions receive it, in the file's text form.
std::string ToFileText(std::string_view ansi, ProfileEncoding encoding) {
  return encoding == ProfileEncoding::kAnsi ? std::string(ansi) : ProfileAnsiToUtf8(ansi);
}

// A stored text back to the caller, through the code page as the A functions answer it.
std::string FromFileText(std::string_view text, ProfileEncoding encoding) {
  return ProfileAnsiToUtf8(encoding == ProfileEncoding::kAnsi ? std::string(text)
                                                              : ProfileUtf8ToAnsi(text));
}

// The default as GetPrivateProfileStringA answers it: trailing spaces cut (one space stays of
// a default made only of spaces), then a pair of matching quotes removed.
std::string EffectiveDefault(std::string_view defaultValue) {
  std::string ansi = ProfileUtf8ToAnsi(defaultValue.substr(0, defaultValue.find('\0')));
  size_t end = ansi.size();
  while (end > 1 && ansi[end - 1] == ' ') --end;
  ansi.resize(end);
  if (ansi.size() >= 2 && (ansi.front() == '"' || ansi.front() == '\'') &&
      ansi.back() == ansi.front()) {
    ansi = ansi.substr(1, ansi.size() - 2);
  }
  return ProfileAnsiToUtf8(ansi);
}

uint32_t CharactersOf(std::string_view utf8) {
  uint32_t count = 0;
  for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

}  // namespace

uint32_t ReadProfileString(const std::string& hostPath, std::string_view section,
                           std::string_view key, std::string_view defaultValue,
                           std::string* value) {
  Store& store = TheStore();
  const std::lock_guard guard(store.mutex);
  std::optional<std::string> stored;
  if (const ProfileFile* file = FileForReading(store, hostPath)) {
    const ProfileEncoding encoding = file->encoding();
    stored = file->Value(ToFileText(ProfileUtf8ToAnsi(section), encoding),
                         ToFileText(ProfileUtf8ToAnsi(key), encoding));
    if (stored) *stored = FromFileText(*stored, encoding);
  }
  *value = stored ? std::move(*stored) : EffectiveDefault(defaultValue);
  return CharactersOf(*value);
}

bool WriteProfileString(const std::string& hostPath, std::string_view section, std::string_view key,
                        std::string_view value) {
  Store& store = TheStore();
  const std::lock_guard guard(store.mutex);
  const std::string ansiSection = ProfileUtf8ToAnsi(section);
  const std::string ansiKey = ProfileUtf8ToAnsi(key);
  const std::string ansiValue = ProfileUtf8ToAnsi(value);
  // The keep-or-default rule writes back what it read: a value the file already holds needs
  // neither the lock nor a fresh read.
  if (const ProfileFile* file = FileForReading(store, hostPath)) {
    const ProfileEncoding encoding = file->encoding();
    if (file->Holds(ToFileText(ansiSection, encoding), ToFileText(ansiKey, encoding),
                    ToFileText(ansiValue, encoding))) {
      return true;
    }
  }
  const std::string target = ReplacementTarget(hostPath);
  const std::string folder = FolderOf(target);
  const FolderLock lock(folder);
  if (!lock.held()) return false;
  if (store.cleanedFolders.insert(folder).second) RemoveOrphanTemps(folder);

  CachedFile current;
  if (!FileForWriting(store, target, &current)) return false;
  const ProfileEncoding encoding = current.file.encoding();
  const bool changed =
      current.file.SetValue(ToFileText(ansiSection, encoding), ToFileText(ansiKey, encoding),
                            ToFileText(ansiValue, encoding));
  if (changed) {
    current.bytes = current.file.Serialize();
    if (!ReplaceProfileFile(target, current.bytes, &current.identity)) return false;
    ++store.stats.writes;
    store.unsyncedFiles.insert(target);
    store.unsyncedFolders.insert(folder);
  }
  // Cached under both names so that reads through a link find it too.
  if (target != hostPath) Remember(store, hostPath, current);
  Remember(store, target, std::move(current));
  return true;
}

void FlushProfileWrites() {
  Store& store = TheStore();
  const std::lock_guard guard(store.mutex);
  for (const std::string& file : store.unsyncedFiles) SyncPath(file, false);
  for (const std::string& folder : store.unsyncedFolders) SyncPath(folder, true);
  store.unsyncedFiles.clear();
  store.unsyncedFolders.clear();
}

ProfileStats GetProfileStats() {
  Store& store = TheStore();
  const std::lock_guard guard(store.mutex);
  return store.stats;
}

void ResetProfileStats() {
  Store& store = TheStore();
  const std::lock_guard guard(store.mutex);
  store.stats = ProfileStats{};
}

}  // namespace tx3::platform::posix
