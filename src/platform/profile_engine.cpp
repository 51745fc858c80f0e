#include "platform/profile_engine.h"

#include <optional>
#include <utility>

namespace tx3::platform {
namespace {

// Enough for the handful of settings files a run touches; beyond it the cache starts afresh.
constexpr size_t kMaxCachedFiles = 32;

uint32_t CharactersOf(std::string_view utf8) {
  uint32_t count = 0;
  for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

}  // namespace

// The caller's text as the A functions receive it, in the file's text form.
std::string ProfileEngine::ToFileText(std::string_view ansi, ProfileEncoding encoding) const {
  return encoding == ProfileEncoding::kAnsi ? std::string(ansi) : codec_.AnsiToUtf8(ansi);
}

// A stored text back to the caller, through the code page as the A functions answer it.
std::string ProfileEngine::FromFileText(std::string_view text, ProfileEncoding encoding) const {
  return codec_.AnsiToUtf8(encoding == ProfileEncoding::kAnsi ? std::string(text)
                                                              : codec_.Utf8ToAnsi(text));
}

// The default as GetPrivateProfileStringA answers it: trailing spaces cut (one space stays of
// a default made only of spaces), then a pair of matching quotes removed.
std::string ProfileEngine::EffectiveDefault(std::string_view defaultValue) const {
  std::string ansi = codec_.Utf8ToAnsi(defaultValue.substr(0, defaultValue.find('\0')));
  size_t end = ansi.size();
  while (end > 1 && ansi[end - 1] == ' ') --end;
  ansi.resize(end);
  if (ansi.size() >= 2 && (ansi.front() == '"' || ansi.front() == '\'') &&
      ansi.back() == ansi.front()) {
    ansi = ansi.substr(1, ansi.size() - 2);
  }
  return codec_.AnsiToUtf8(ansi);
}

ProfileEngine::CachedFile& ProfileEngine::Remember(const std::string& path, CachedFile entry) {
  if (cache_.size() >= kMaxCachedFiles && !cache_.contains(path)) cache_.clear();
  return cache_[path] = std::move(entry);
}

// The parsed file for reading: the cached one while the file's identity is unchanged.
// Nullptr when there is no readable file.
const ProfileFile* ProfileEngine::FileForReading(const std::string& path) {
  const auto cached = cache_.find(path);
  const FileIdentity* known = cached == cache_.end() ? nullptr : &cached->second.identity;
  CachedFile fresh;
  switch (io_.Read(path, known, &fresh.identity, &fresh.bytes)) {
    case ReadOutcome::kUnchanged:
      return &cached->second.file;
    case ReadOutcome::kRead:
      fresh.file = ProfileFile::Parse(fresh.bytes);
      ++stats_.parses;
      return &Remember(path, std::move(fresh)).file;
    case ReadOutcome::kMissing:
    case ReadOutcome::kFailed:
      break;
  }
  cache_.erase(path);
  return nullptr;
}

// The parsed file for a write, under the folder lock. The bytes are compared, not only the
// identity: a replaced file may reuse an inode within one clock tick, and a lost key is worse
// than a read. False when the file exists but cannot be read.
bool ProfileEngine::FileForWriting(const std::string& path, CachedFile* current) {
  switch (io_.Read(path, nullptr, &current->identity, &current->bytes)) {
    case ReadOutcome::kRead:
      break;
    case ReadOutcome::kMissing:
      *current = CachedFile{};
      return true;
    case ReadOutcome::kUnchanged:
    case ReadOutcome::kFailed:
      return false;
  }
  const auto cached = cache_.find(path);
  if (cached != cache_.end() && cached->second.bytes == current->bytes) {
    current->file = cached->second.file;
  } else {
    current->file = ProfileFile::Parse(current->bytes);
    ++stats_.parses;
  }
  return true;
}

uint32_t ProfileEngine::Read(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::string* value) {
  const std::lock_guard guard(mutex_);
  std::optional<std::string> stored;
  if (const ProfileFile* file = FileForReading(path)) {
    const ProfileEncoding encoding = file->encoding();
    stored = file->Value(ToFileText(codec_.Utf8ToAnsi(section), encoding),
                         ToFileText(codec_.Utf8ToAnsi(key), encoding));
    if (stored) *stored = FromFileText(*stored, encoding);
  }
  *value = stored ? std::move(*stored) : EffectiveDefault(defaultValue);
  return CharactersOf(*value);
}

bool ProfileEngine::Write(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view value) {
  const std::lock_guard guard(mutex_);
  const std::string ansiSection = codec_.Utf8ToAnsi(section);
  const std::string ansiKey = codec_.Utf8ToAnsi(key);
  const std::string ansiValue = codec_.Utf8ToAnsi(value);
  // The keep-or-default rule writes back what it read: a value the file already holds needs
  // neither the lock nor a fresh read.
  if (const ProfileFile* file = FileForReading(path)) {
    const ProfileEncoding encoding = file->encoding();
    if (file->Holds(ToFileText(ansiSection, encoding), ToFileText(ansiKey, encoding),
                    ToFileText(ansiValue, encoding))) {
      return true;
    }
  }
  const std::string target = io_.ReplacementTarget(path);
  const std::string folder = io_.FolderOf(target);
  const std::unique_ptr<ProfileLock> lock = io_.LockFolder(folder);
  if (lock == nullptr) return false;
  if (cleanedFolders_.insert(folder).second) io_.RemoveOrphans(folder);

  CachedFile current;
  if (!FileForWriting(target, &current)) return false;
  const ProfileEncoding encoding = current.file.encoding();
  const bool changed =
      current.file.SetValue(ToFileText(ansiSection, encoding), ToFileText(ansiKey, encoding),
                            ToFileText(ansiValue, encoding));
  if (changed) {
    current.bytes = current.file.Serialize();
    if (!io_.Replace(target, current.bytes, &current.identity)) return false;
    ++stats_.writes;
    unsyncedFiles_.insert(target);
    unsyncedFolders_.insert(folder);
  }
  // Cached under both names so that reads through a link find it too.
  if (target != path) Remember(path, current);
  Remember(target, std::move(current));
  return true;
}

void ProfileEngine::Flush() {
  const std::lock_guard guard(mutex_);
  for (const std::string& file : unsyncedFiles_) io_.Sync(file, false);
  for (const std::string& folder : unsyncedFolders_) io_.Sync(folder, true);
  unsyncedFiles_.clear();
  unsyncedFolders_.clear();
}

ProfileStats ProfileEngine::Stats() {
  const std::lock_guard guard(mutex_);
  return stats_;
}

void ProfileEngine::ResetStats() {
  const std::lock_guard guard(mutex_);
  stats_ = ProfileStats{};
}

}  // namespace tx3::platform
