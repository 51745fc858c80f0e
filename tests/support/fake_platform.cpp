#include "support/fake_platform.h"

#include <algorithm>

#include "common/error.h"
#include "common/text.h"
#include "platform/code_page.h"
#include "platform/name_match.h"
#include "platform/name_rules.h"
#include "platform/windows_path.h"

namespace tx3::testing {

namespace {

// ---- Windows paths: read and folded as the platforms read and fold them ----

std::string Slashes(std::string_view path) {
  std::string s(path);
  std::replace(s.begin(), s.end(), '/', '\\');
  return s;
}

// The root part of a key: "c:" or "\\srv\share"; empty when there is none.
std::string RootOf(const std::string& key) {
  const platform::PathSplit split = platform::SplitPath(key);
  if (split.form == platform::PathForm::kUnc && !split.hasShare) return {};
  return std::string(split.root);
}

std::string ParentKey(const std::string& key) {
  if (key == RootOf(key)) return {};
  return std::string(platform::ParentText(key));
}

// A name Windows refuses below the root (error 52).
bool RefusedName(const std::string& path) {
  if (RootOf(FakePathKey(path)).empty()) return true;
  const platform::PathSplit split = platform::SplitPath(path);
  return std::any_of(split.components.begin(), split.components.end(),
                     [](std::string_view part) { return platform::IsRefusedComponent(part); });
}

}  // namespace

std::string FakePathKey(std::string_view path) {
  return platform::FoldNameText(platform::CanonicalText(path));
}

void* FakeLibrary::Symbol(const char* name) {
  const auto it = symbols_.find(name);
  return it == symbols_.end() ? nullptr : it->second;
}

FakePlatform::FakePlatform() {
  AddFolder("C:\\windows");
}

// ---- The file tree ----

void FakePlatform::AddRoot(std::string_view root) {
  const std::string key = FakePathKey(root);
  if (tree_.count(key) == 0) {
    Entry entry;
    entry.path = Slashes(root);
    while (entry.path.size() > 2 && entry.path.back() == '\\') entry.path.pop_back();
    entry.folder = true;
    entry.attributes = platform::kAttrDirectory;
    tree_[key] = entry;
  }
}

void FakePlatform::AddFolder(std::string_view path) {
  const std::string key = FakePathKey(path);
  const std::string root = RootOf(key);
  if (root.empty()) return;
  std::string clean = Slashes(path);
  while (clean.size() > 1 && clean.back() == '\\') clean.pop_back();
  AddRoot(clean.substr(0, root.size()));
  const std::string parent = ParentKey(key);
  if (!parent.empty() && tree_.count(parent) == 0) {
    AddFolder(clean.substr(0, clean.rfind('\\')));
  }
  if (tree_.count(key) == 0) {
    tree_[key] = Entry{clean, true, 0, platform::kAttrDirectory, false};
  }
}

void FakePlatform::AddFile(std::string_view path, int64_t size, uint32_t attributes) {
  const std::string clean = Slashes(path);
  const size_t last = clean.rfind('\\');
  if (last != std::string::npos) AddFolder(clean.substr(0, last + 1));
  tree_[FakePathKey(path)] = Entry{clean, false, size, attributes, false};
}

void FakePlatform::Remove(std::string_view path) {
  const std::string key = FakePathKey(path);
  for (auto it = tree_.begin(); it != tree_.end();) {
    if (it->first == key || it->first.starts_with(key + "\\")) {
      it = tree_.erase(it);
    } else {
      ++it;
    }
  }
  ini_.erase(key);
}

const FakePlatform::Entry* FakePlatform::Find(std::string_view path) const {
  const auto it = tree_.find(FakePathKey(path));
  return it == tree_.end() ? nullptr : &it->second;
}

FakePlatform::Entry* FakePlatform::Find(std::string_view path) {
  const auto it = tree_.find(FakePathKey(path));
  return it == tree_.end() ? nullptr : &it->second;
}

bool FakePlatform::Exists(std::string_view path) const {
  return Find(path) != nullptr;
}

bool FakePlatform::IsFolder(std::string_view path) const {
  const Entry* entry = Find(path);
  return entry != nullptr && entry->folder;
}

void FakePlatform::DenyCreate(std::string_view path) {
  denied_.insert(FakePathKey(path));
}

std::vector<std::string> FakePlatform::Paths() const {
  std::vector<std::string> paths;
  for (const auto& [key, entry] : tree_) paths.push_back(entry.path);
  return paths;
}

// ---- Recording and failures ----

int32_t FakePlatform::Enter(std::string_view call, std::string_view path, std::string_view detail) {
  std::string text(call);
  text.append("(").append(path);
  if (!detail.empty()) text.append(path.empty() ? "" : ", ").append(detail);
  text.append(")");
  calls.push_back(std::move(text));

  const auto delay = delays_.find(std::string(call));
  if (delay != delays_.end()) clockMs += static_cast<uint64_t>(delay->second);

  const std::string key = path.empty() ? std::string() : FakePathKey(path);
  for (Failure& failure : failures_) {
    if (failure.call != call || failure.remaining == 0) continue;
    if (!failure.onlyKey.empty() && failure.onlyKey != key) continue;
    if (failure.remaining > 0) --failure.remaining;
    if (failure.raise) Raise(failure.number);
    return failure.number;
  }
  return 0;
}

void FakePlatform::FailCall(std::string_view call, int32_t number, int times,
                            std::string_view onlyPath) {
  failures_.push_back(Failure{std::string(call), number, times,
                              onlyPath.empty() ? std::string() : FakePathKey(onlyPath), false});
}

void FakePlatform::RaiseInCall(std::string_view call, int32_t number, int times,
                               std::string_view onlyPath) {
  failures_.push_back(Failure{std::string(call), number, times,
                              onlyPath.empty() ? std::string() : FakePathKey(onlyPath), true});
}

void FakePlatform::ClearFailures() {
  failures_.clear();
}

void FakePlatform::DelayCall(std::string_view call, int64_t ms) {
  delays_[std::string(call)] = ms;
}

void FakePlatform::QueueTickCounts(std::initializer_list<uint32_t> readings) {
  queuedTicks_.insert(queuedTicks_.end(), readings.begin(), readings.end());
}

int FakePlatform::CallCount(std::string_view call) const {
  const std::string prefix = std::string(call) + "(";
  return static_cast<int>(std::count_if(
      calls.begin(), calls.end(), [&](const std::string& c) { return c.starts_with(prefix); }));
}

bool FakePlatform::LogContains(std::string_view text) const {
  return std::any_of(logLines.begin(), logLines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

// ---- Files and folders ----

int32_t FakePlatform::FindFirst(std::string_view pattern, bool includeDirectories,
                                std::string* firstName) {
  firstName->clear();
  if (const int32_t failure = Enter("FindFirst", pattern)) return failure;
  const std::string text = Slashes(pattern);
  const std::string key = FakePathKey(text);

  if (text.ends_with('\\')) {  // the folder itself
    const Entry* entry = Find(text);
    const bool server = key.starts_with("\\\\") && key.find('\\', 2) == std::string::npos &&
                        std::any_of(tree_.begin(), tree_.end(), [&](const auto& item) {
                          return item.first.starts_with(key + "\\");
                        });
    if ((entry != nullptr && entry->folder) || server) *firstName = ".";
    return 0;
  }

  const size_t last = key.rfind('\\');
  const std::string parent = last == std::string::npos ? std::string() : key.substr(0, last);
  if (parent.empty() || tree_.count(parent) == 0) return 0;
  const std::string_view wanted = platform::LastComponent(text);
  for (const auto& [entryKey, entry] : tree_) {
    if (ParentKey(entryKey) != parent || entryKey == parent) continue;
    if (entry.folder && !includeDirectories) continue;
    const std::string name(platform::LastComponent(entry.path));
    if (platform::MatchesPattern(name, wanted)) {
      *firstName = name;
      return 0;
    }
  }
  return 0;
}

int32_t FakePlatform::AddFolderEntry(std::string_view path) {
  const std::string clean = Slashes(path);
  const std::string key = FakePathKey(clean);
  if (RefusedName(clean)) return err::kBadFileName;
  if (tree_.count(key) != 0) return err::kPathFileAccess;
  const std::string parent = ParentKey(key);
  if (parent.empty() || tree_.count(parent) == 0) return err::kPathNotFound;
  if (denied_.count(key) != 0) return err::kPathFileAccess;
  AddFolder(clean);
  return 0;
}

int32_t FakePlatform::MakeDirectory(std::string_view path) {
  if (const int32_t failure = Enter("MakeDirectory", path)) return failure;
  return AddFolderEntry(path);
}

bool FakePlatform::CreateFolder(std::string_view path) {
  if (Enter("CreateFolder", path) != 0) return false;
  return AddFolderEntry(path) == 0;
}

bool FakePlatform::CreateFolderLike(std::string_view templateFolder, std::string_view path) {
  if (Enter("CreateFolderLike", path, templateFolder) != 0) return false;
  if (!IsFolder(templateFolder)) return false;
  return AddFolderEntry(path) == 0;
}

int32_t FakePlatform::GetAttributes(std::string_view path, uint32_t* attributes) {
  if (const int32_t failure = Enter("GetAttributes", path)) return failure;
  const Entry* entry = Find(path);
  if (entry == nullptr) return err::kFileNotFound;
  *attributes = entry->attributes;
  return 0;
}

int32_t FakePlatform::SetAttributes(std::string_view path, uint32_t attributes) {
  if (const int32_t failure = Enter("SetAttributes", path, ToText(attributes))) return failure;
  Entry* entry = Find(path);
  if (entry == nullptr) return err::kFileNotFound;
  entry->attributes = entry->folder ? (attributes | platform::kAttrDirectory)
                                    : (attributes & ~uint32_t{platform::kAttrDirectory});
  return 0;
}

int32_t FakePlatform::FileSize(std::string_view path, int64_t* size) {
  if (const int32_t failure = Enter("FileSize", path)) return failure;
  const Entry* entry = Find(path);
  if (entry == nullptr) return err::kFileNotFound;
  if (entry->folder || entry->unopenable) return err::kPathFileAccess;
  *size = entry->size;
  return 0;
}

// ---- Clock ----

uint32_t FakePlatform::TickCount32() {
  if (Enter("TickCount32", {}) != 0) return 0;
  if (!queuedTicks_.empty()) {
    const uint32_t reading = queuedTicks_.front();
    queuedTicks_.pop_front();
    return reading;
  }
  const auto reading = static_cast<uint32_t>(clockMs);
  clockMs += static_cast<uint64_t>(tickStep);
  return reading;
}

uint64_t FakePlatform::TickCount64() {
  if (Enter("TickCount64", {}) != 0 || !tickCount64Works) return 0;
  const uint64_t reading = clockMs;
  clockMs += static_cast<uint64_t>(tickStep);
  return reading;
}

// ---- Text ----

std::string FakePlatform::Utf8ToAnsi(std::string_view utf8) {
  return platform::Utf8ToWindows1252(utf8);
}

std::string FakePlatform::AnsiToUtf8(std::string_view ansi) {
  return platform::Windows1252ToUtf8(ansi);
}

// ---- System information ----

bool FakePlatform::ReadVersion(platform::VersionRecord* record) {
  if (Enter("ReadVersion", {}) != 0 || !versionAvailable) return false;
  *record = version;
  return true;
}

bool FakePlatform::ReadProductType(uint32_t major, uint32_t minor, uint32_t spMajor,
                                   uint32_t spMinor, uint32_t* type) {
  const std::string args =
      ToText(major) + "." + ToText(minor) + ", " + ToText(spMajor) + "." + ToText(spMinor);
  if (Enter("ReadProductType", {}, args) != 0 || !productInfoAvailable) return false;
  *type = productType;
  return true;
}

bool FakePlatform::HasNativeSystemInfo() {
  return Enter("HasNativeSystemInfo", {}) == 0 && nativeSystemInfo;
}

uint16_t FakePlatform::ProcessorArchitecture(bool native) {
  if (Enter("ProcessorArchitecture", {}, native ? "native" : "emulated") != 0) return 0;
  return native ? nativeArchitecture : architecture;
}

int32_t FakePlatform::SystemMetric(int32_t index) {
  if (Enter("SystemMetric", {}, ToText(index)) != 0) return 0;
  const auto it = systemMetrics.find(index);
  return it == systemMetrics.end() ? 0 : it->second;
}

std::string FakePlatform::WindowsDirectory() {
  if (Enter("WindowsDirectory", {}) != 0) return {};
  return windowsDirectory;
}

std::string FakePlatform::ExecutablePath() {
  if (Enter("ExecutablePath", {}) != 0) return {};
  return executablePath;
}

std::optional<std::string> FakePlatform::GetEnv(std::string_view name) {
  if (Enter("GetEnv", {}, name) != 0) return std::nullopt;
  const auto it = environment.find(std::string(name));
  if (it == environment.end()) return std::nullopt;
  return it->second;
}

// ---- Shell ----

intptr_t FakePlatform::OpenInShell(std::string_view operation, std::string_view file,
                                   const std::optional<std::string>& parameters,
                                   const std::optional<std::string>& folder, int32_t showCommand) {
  shellCalls.push_back(
      ShellCall{std::string(operation), std::string(file), parameters, folder, showCommand});
  if (const int32_t failure = Enter("OpenInShell", {}, file)) return failure;
  const auto it = shellResults.find(std::string(file));
  return it == shellResults.end() ? shellResult : it->second;
}

// ---- Profile functions ----

const FakePlatform::IniFile* FakePlatform::IniOf(std::string_view file) const {
  const auto it = ini_.find(FakePathKey(file));
  return it == ini_.end() ? nullptr : &it->second;
}

void FakePlatform::StoreIni(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view value) {
  IniFile& ini = ini_[FakePathKey(file)];
  auto sec = std::find_if(ini.sections.begin(), ini.sections.end(),
                          [&](const IniSection& s) { return EqualsNoCase(s.name, section); });
  if (sec == ini.sections.end()) {
    ini.sections.push_back(IniSection{std::string(section), {}});
    sec = std::prev(ini.sections.end());
  }
  auto entry = std::find_if(sec->keys.begin(), sec->keys.end(),
                            [&](const auto& kv) { return EqualsNoCase(kv.first, key); });
  if (entry == sec->keys.end()) {
    sec->keys.emplace_back(std::string(key), std::string(value));
  } else {
    entry->second = std::string(value);
  }
}

void FakePlatform::SyncIniFileEntry(std::string_view file) {
  const auto size = static_cast<int64_t>(IniText(file).size());
  if (Entry* entry = Find(file)) {
    entry->size = size;
    return;
  }
  const std::string key = FakePathKey(file);
  const std::string parent = ParentKey(key);
  if (!parent.empty() && IsFolder(parent)) {
    tree_[key] = Entry{Slashes(file), false, size, platform::kAttrArchive, false};
  }
}

std::optional<std::string> FakePlatform::IniValue(std::string_view file, std::string_view section,
                                                  std::string_view key) const {
  const IniFile* ini = IniOf(file);
  if (ini == nullptr) return std::nullopt;
  for (const IniSection& sec : ini->sections) {
    if (!EqualsNoCase(sec.name, section)) continue;
    for (const auto& [name, value] : sec.keys) {
      if (EqualsNoCase(name, key)) return value;
    }
  }
  return std::nullopt;
}

void FakePlatform::SetIniValue(std::string_view file, std::string_view section,
                               std::string_view key, std::string_view value) {
  StoreIni(file, section, key, value);
  SyncIniFileEntry(file);
}

std::string FakePlatform::IniText(std::string_view file) const {
  std::string text;
  const IniFile* ini = IniOf(file);
  if (ini == nullptr) return text;
  for (const IniSection& sec : ini->sections) {
    text.append("[").append(sec.name).append("]\r\n");
    for (const auto& [name, value] : sec.keys)
      text.append(name).append("=").append(value).append("\r\n");
  }
  return text;
}

std::vector<std::string> FakePlatform::IniSections(std::string_view file) const {
  std::vector<std::string> names;
  if (const IniFile* ini = IniOf(file)) {
    for (const IniSection& sec : ini->sections) names.push_back(sec.name);
  }
  return names;
}

std::vector<std::string> FakePlatform::IniKeys(std::string_view file,
                                               std::string_view section) const {
  std::vector<std::string> names;
  if (const IniFile* ini = IniOf(file)) {
    for (const IniSection& sec : ini->sections) {
      if (!EqualsNoCase(sec.name, section)) continue;
      for (const auto& kv : sec.keys) names.push_back(kv.first);
    }
  }
  return names;
}

uint32_t FakePlatform::ReadProfileString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue, std::string* value,
                                         std::string_view file) {
  ProfileCall call{std::string(file), std::string(section), std::string(key),
                   std::string(defaultValue), false};
  if (Enter("ReadProfileString", file, std::string(section) + ", " + std::string(key))) {
    profileReads.push_back(call);
    value->clear();
    return 0;
  }
  const std::optional<std::string> stored = IniValue(file, section, key);
  call.succeeded = stored.has_value();
  profileReads.push_back(call);
  *value = stored ? *stored : std::string(defaultValue);
  return static_cast<uint32_t>(CharCount(*value));
}

bool FakePlatform::WriteProfileEntry(std::string_view section, std::string_view key,
                                     std::string_view value, std::string_view file) {
  ProfileCall call{std::string(file), std::string(section), std::string(key), std::string(value),
                   false};
  const int32_t failure =
      Enter("WriteProfileEntry", file, std::string(section) + ", " + std::string(key));
  const std::string clean = Slashes(file);
  const std::string parent = ParentKey(FakePathKey(clean));
  const Entry* entry = Find(clean);
  // A value already stored needs no write: it succeeds even on a read-only file.
  const bool unchanged = failure == 0 && IniValue(clean, section, key) == value;
  const bool writable =
      failure == 0 && !RefusedName(clean) && !parent.empty() && IsFolder(parent) &&
      (entry == nullptr || (!entry->folder && (entry->attributes & platform::kAttrReadOnly) == 0));
  if (unchanged) {
    call.succeeded = true;
    profileWrites.push_back(call);
    return true;
  }
  if (writable) {
    if (transactionDepth > 0) NotePendingChange(file, IniValue(clean, section, key).has_value());
    StoreIni(clean, section, key, value);
    SyncIniFileEntry(clean);
  }
  call.succeeded = writable;
  profileWrites.push_back(call);
  return writable;
}

void FakePlatform::NotePendingChange(std::string_view file, bool existed) {
  for (platform::ProfileFileChange& change : pendingChanges_) {
    if (change.file == file) {
      ++(existed ? change.changed : change.added);
      return;
    }
  }
  pendingChanges_.push_back({std::string(file), existed ? 0 : 1, existed ? 1 : 0, true, {}});
}

void FakePlatform::BeginProfileTransaction() {
  Enter("BeginProfileTransaction", {});
  ++transactionDepth;
}

std::vector<platform::ProfileFileChange> FakePlatform::CommitProfileWrites() {
  Enter("CommitProfileWrites", {});
  ++flushCount;
  std::vector<platform::ProfileFileChange> changes = std::move(pendingChanges_);
  pendingChanges_.clear();
  for (platform::ProfileFileChange& change : changes) {
    change.written = !profileDryRun && failingCommits.count(change.file) == 0;
  }
  return changes;
}

void FakePlatform::EndProfileTransaction() {
  Enter("EndProfileTransaction", {});
  --transactionDepth;
}

void FakePlatform::SetProfileDryRun(bool dryRun) {
  profileDryRun = dryRun;
}

// ---- Database engine ----

std::unique_ptr<platform::Library> FakePlatform::LoadEngineLibrary(std::string_view nameOrPath,
                                                                   int32_t* error) {
  if (const int32_t failure = Enter("LoadEngineLibrary", nameOrPath)) {
    *error = failure;
    return nullptr;
  }
  for (const auto& [name, symbols] : libraries) {
    if (FakePathKey(name) == FakePathKey(nameOrPath)) {
      loadedLibraries.emplace_back(nameOrPath);
      *error = 0;
      return std::make_unique<FakeLibrary>(symbols);
    }
  }
  *error = err::kLibraryNotFound;
  return nullptr;
}

std::string FakePlatform::EnginePath(std::string_view path) {
  Enter("EnginePath", path);
  if (enginePathOf) return enginePathOf(path);
  std::string mapped = "/engine/" + std::string(path);
  std::replace(mapped.begin(), mapped.end(), '\\', '/');
  return mapped;
}

bool FakePlatform::ReadEngineFile(std::string_view enginePath, size_t maxBytes,
                                  std::string* bytes) {
  if (Enter("ReadEngineFile", {}, enginePath) != 0) return false;
  const auto it = engineFiles.find(std::string(enginePath));
  if (it == engineFiles.end()) return false;
  *bytes = it->second.substr(0, maxBytes);
  return true;
}

bool FakePlatform::ReadNamedFile(std::string_view path, std::string* bytes) {
  if (Enter("ReadNamedFile", {}, path) != 0) return false;
  const auto it = namedFiles.find(std::string(path));
  if (it == namedFiles.end()) return false;
  *bytes = it->second;
  return true;
}

bool FakePlatform::ReplaceNamedFile(std::string_view path, std::string_view bytes) {
  if (Enter("ReplaceNamedFile", {}, path) != 0) return false;
  namedFiles[std::string(path)] = std::string(bytes);
  return true;
}

platform::ReplaceOutcome FakePlatform::ReplaceEngineFile(std::string_view enginePath,
                                                         std::string_view bytes) {
  if (Enter("ReplaceEngineFile", {}, enginePath) != 0) return platform::ReplaceOutcome::kFailed;
  if (lockedEngineFiles.count(std::string(enginePath)) != 0) {
    return platform::ReplaceOutcome::kLocked;
  }
  engineFiles[std::string(enginePath)] = std::string(bytes);
  return platform::ReplaceOutcome::kDone;
}

// ---- Folder dialog support and log ----

std::string FakePlatform::WindowsPathFromHost(std::string_view hostPath) {
  Enter("WindowsPathFromHost", {}, hostPath);
  return windowsPathFromHost ? windowsPathFromHost(hostPath) : std::string(hostPath);
}

std::string FakePlatform::HostPathForDialog(std::string_view windowsPath) {
  Enter("HostPathForDialog", windowsPath);
  if (hostPathForDialog) return hostPathForDialog(windowsPath);
  return IsFolder(windowsPath) ? std::string(windowsPath) : std::string();
}

void FakePlatform::AppendLog(std::string_view line) {
  logLines.emplace_back(line);
}

}  // namespace tx3::testing
