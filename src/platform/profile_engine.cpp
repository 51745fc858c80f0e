#include "platform/profile_engine.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/code_page.h"

namespace tx3::platform {
namespace {

// Enough for the handful of settings files a run touches; beyond it the cache starts afresh.
constexpr size_t kMaxCachedFiles = 32;

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
  const std::string ansi = codec_.Utf8ToAnsi(defaultValue.substr(0, defaultValue.find('\0')));
  std::string_view trimmed = ansi;
  while (trimmed.size() > 1 && trimmed.back() == ' ') trimmed.remove_suffix(1);
  return codec_.AnsiToUtf8(StripValue(trimmed));
}

ProfileEngine::CachedFile& ProfileEngine::Remember(const std::string& path, CachedFile entry) {
  if (cache_.size() >= kMaxCachedFiles && !cache_.contains(path)) cache_.clear();
  return cache_[path] = std::move(entry);
}

// The parsed file: the cached one while the file's identity is unchanged, else parsed afresh.
// Nullptr when there is no file, *failed when there is one that cannot be read.
const ProfileEngine::CachedFile* ProfileEngine::Cached(const std::string& path, bool* failed) {
  *failed = false;
  const auto cached = cache_.find(path);
  const FileIdentity* known = cached == cache_.end() ? nullptr : &cached->second.identity;
  CachedFile fresh;
  std::string bytes;
  switch (io_.Read(path, known, &fresh.identity, &bytes)) {
    case ReadOutcome::kUnchanged:
      return &cached->second;
    case ReadOutcome::kRead:
      fresh.file = std::make_shared<ProfileFile>(ProfileFile::Parse(std::move(bytes)));
      ++stats_.parses;
      return &Remember(path, std::move(fresh));
    case ReadOutcome::kFailed:
      *failed = true;
      break;
    case ReadOutcome::kMissing:
      break;
  }
  cache_.erase(path);
  return nullptr;
}

// A file as a transaction first sees it.
ProfileEngine::StagedFile ProfileEngine::Load(const std::string& path) {
  StagedFile staged;
  bool failed = false;
  if (const CachedFile* entry = Cached(path, &failed)) {
    staged.file = entry->file;
    staged.identity = entry->identity;
  }
  staged.readable = !failed;
  return staged;
}

ProfileEngine::StagedFile& ProfileEngine::Staged(const std::string& path) {
  const auto found = staged_.find(path);
  if (found != staged_.end()) return found->second;
  return staged_.emplace(path, Load(path)).first->second;
}

// The staged file, for a change: taken from the cache, or copied when it is cached under another
// name too. The commit caches the file as written.
ProfileFile& ProfileEngine::Editable(StagedFile& staged, const std::string& path) {
  if (const auto cached = cache_.find(path);
      cached != cache_.end() && cached->second.file == staged.file) {
    cache_.erase(cached);
  }
  if (staged.file.use_count() > 1) staged.file = std::make_shared<ProfileFile>(*staged.file);
  return *staged.file;
}

// Applies one write to the staged copy, once the file is known to be writable.
bool ProfileEngine::Stage(StagedFile& staged, const std::string& path, std::string_view section,
                          std::string_view key, std::string_view value) {
  if (!staged.readable) return false;
  const ProfileEncoding encoding = staged.file->encoding();
  Edit edit{ToFileText(codec_.Utf8ToAnsi(section), encoding),
            ToFileText(codec_.Utf8ToAnsi(key), encoding),
            ToFileText(codec_.Utf8ToAnsi(value), encoding),
            {std::string(section), std::string(key), std::nullopt, std::string(value)}};
  // The keep-or-default rule writes back what it read: a value the file already holds needs
  // neither a check nor a write.
  if (staged.file->Holds(edit.section, edit.key, edit.value)) return true;
  // A dry run writes nothing, and the folders it would make do not exist.
  if (!staged.checked && !dryRun_ && !io_.Writable(io_.ReplacementTarget(path))) return false;
  staged.checked = true;
  Apply(Editable(staged, path), edit, &staged.keys);
  staged.edits.push_back(std::move(edit));
  return true;
}

// One write on a parsed file; a change is noted with the value it replaced.
bool ProfileEngine::Apply(ProfileFile& file, const Edit& edit,
                          std::vector<ProfileKeyChange>* keys) const {
  const std::optional<std::string> before = file.StoredValue(edit.section, edit.key);
  if (!file.SetValue(edit.section, edit.key, edit.value)) return false;
  ProfileKeyChange change = edit.asCalled;
  if (before) change.before = FromFileText(*before, file.encoding());
  keys->push_back(std::move(change));
  return true;
}

ProfileFileChange ProfileEngine::Outcome(const std::string& path, StagedFile& staged,
                                         bool written) {
  ProfileFileChange outcome{path, 0, 0, written, std::move(staged.keys)};
  for (const ProfileKeyChange& key : outcome.keys) ++(key.before ? outcome.changed : outcome.added);
  staged.keys.clear();
  return outcome;
}

// The edits again, on what another process left in the file.
void ProfileEngine::Replay(StagedFile& staged, std::string current) {
  staged.file = std::make_shared<ProfileFile>(ProfileFile::Parse(std::move(current)));
  ++stats_.parses;
  staged.keys.clear();
  for (const Edit& edit : staged.edits) Apply(*staged.file, edit, &staged.keys);
}

// Writes a staged file under its folder's lock. When the file no longer holds the bytes the
// edits were made on, they are replayed on what it holds now. Afterwards the staged copy is the
// file as written, without pending edits. *folder receives the folder written to.
bool ProfileEngine::CommitFile(const std::string& path, StagedFile& staged, bool durable,
                               std::string* target, std::string* folder) {
  *target = io_.ReplacementTarget(path);
  *folder = io_.FolderOf(*target);
  const std::unique_ptr<ProfileLock> lock = io_.LockFolder(*folder);
  if (lock == nullptr) return false;
  if (cleanedFolders_.insert(*folder).second) io_.RemoveOrphans(*folder);

  // A file whose identity is the one it was read with is not read again (as the cache trusts
  // it); one rewritten with the same bytes needs no replay either.
  FileIdentity identity;
  std::string current;
  const FileIdentity* known = staged.identity ? &*staged.identity : nullptr;
  switch (io_.Read(*target, known, &identity, &current)) {
    case ReadOutcome::kRead:
    case ReadOutcome::kMissing:
      if (!staged.file->ParsedFrom(current)) Replay(staged, std::move(current));
      current = std::string();
      break;
    case ReadOutcome::kUnchanged:
      break;
    case ReadOutcome::kFailed:
      return false;
  }
  staged.edits.clear();
  // What is cached under these names is older than what is written: let it go first, so that
  // a big file is not held three times.
  cache_.erase(path);
  cache_.erase(*target);
  // Lines rewritten as they were change no byte: nothing to write then.
  if (staged.file->Changed()) {
    const std::shared_ptr<const std::string> bytes = staged.file->Settle();
    if (!io_.Replace(*target, *bytes, durable, &identity)) {
      staged = Load(path);
      return false;
    }
    ++stats_.writes;
  }
  staged.identity = identity;
  // Cached under both names so that reads through a link find it too.
  const CachedFile written{identity, staged.file};
  if (*target != path) Remember(path, written);
  Remember(*target, written);
  return true;
}

uint32_t ProfileEngine::Read(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::string* value) {
  const std::lock_guard guard(mutex_);
  std::optional<std::string> stored;
  const ProfileFile* file = nullptr;
  if (depth_ > 0) {
    const StagedFile& staged = Staged(path);
    if (staged.readable) file = staged.file.get();
  } else {
    bool failed = false;  // a file that cannot be read answers the default
    if (const CachedFile* entry = Cached(path, &failed)) file = entry->file.get();
  }
  if (file != nullptr) {
    const ProfileEncoding encoding = file->encoding();
    stored = file->Value(ToFileText(codec_.Utf8ToAnsi(section), encoding),
                         ToFileText(codec_.Utf8ToAnsi(key), encoding));
    if (stored) *stored = FromFileText(*stored, encoding);
  }
  *value = stored ? std::move(*stored) : EffectiveDefault(defaultValue);
  return CharacterCount(*value);
}

bool ProfileEngine::Write(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view value) {
  const std::lock_guard guard(mutex_);
  if (depth_ > 0) {
    StagedFile& staged = Staged(path);
    if (!Stage(staged, path, section, key, value)) return false;
    if (!staged.edits.empty() &&
        std::find(stagedOrder_.begin(), stagedOrder_.end(), path) == stagedOrder_.end()) {
      stagedOrder_.push_back(path);
    }
    return true;
  }

  // Outside a transaction the key is written at once, made durable by Flush; a dry run keeps
  // nothing.
  StagedFile staged = Load(path);
  if (!Stage(staged, path, section, key, value)) return false;
  if (staged.edits.empty() || dryRun_) return true;
  std::string target;
  std::string folder;
  if (!CommitFile(path, staged, /*durable=*/false, &target, &folder)) return false;
  unsyncedFiles_.insert(target);
  unsyncedFolders_.insert(folder);
  return true;
}

void ProfileEngine::BeginTransaction() {
  const std::lock_guard guard(mutex_);
  ++depth_;
}

// The dry run's commit writes nothing and answers what would be written, while the parsed copies
// keep the changes so that the rest of the run sees them, as it would after a real commit.
std::vector<ProfileFileChange> ProfileEngine::CommitAll() {
  std::vector<ProfileFileChange> outcomes;
  std::set<std::string> folders;
  for (const std::string& path : stagedOrder_) {
    StagedFile& staged = staged_.at(path);
    if (staged.edits.empty()) continue;
    std::string target;
    std::string folder;
    const bool written = !dryRun_ && CommitFile(path, staged, /*durable=*/true, &target, &folder);
    if (written) folders.insert(folder);
    if (dryRun_) staged.edits.clear();
    outcomes.push_back(Outcome(path, staged, written));
  }
  stagedOrder_.clear();
  // The files were made durable before their rename; their folders' entries, once each.
  for (const std::string& folder : folders) io_.Sync(folder, true);
  return outcomes;
}

std::vector<ProfileFileChange> ProfileEngine::Commit() {
  const std::lock_guard guard(mutex_);
  return CommitAll();
}

void ProfileEngine::SetDryRun(bool dryRun) {
  const std::lock_guard guard(mutex_);
  dryRun_ = dryRun;
}

void ProfileEngine::EndTransaction() {
  const std::lock_guard guard(mutex_);
  if (depth_ == 0) return;
  if (--depth_ > 0) return;
  if (!dryRun_) CommitAll();
  stagedOrder_.clear();
  staged_.clear();
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
