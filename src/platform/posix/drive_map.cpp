#include "platform/posix/drive_map.h"

#include <errno.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/name_match.h"
#include "platform/posix/host_files.h"

namespace tx3::platform::posix {
namespace {

constexpr const char* kNetworkEntry = "unc";

// The entry of `folder` named `component`: the exact name when present, else the first entry
// equal to it case-insensitively; empty when none exists.
std::string FindEntry(const std::string& folder, const std::string& component) {
  if (HostEntryExists(folder + "/" + component)) return component;
  if (errno != ENOENT) return {};
  std::string found;
  for (const std::string& name : FolderEntryNames(folder).value_or(std::vector<std::string>{})) {
    if (SameName(name, component) && (found.empty() || ListsBefore(name, found))) {
      found = name;
    }
  }
  return found;
}

// Normalises an absolute host path lexically: no ".", "..", or repeated "/".
std::string LexicalHostPath(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '/') continue;
    const std::string_view part = path.substr(start, i - start);
    start = i + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string normal;
  for (std::string_view part : parts) normal.append("/").append(part);
  return normal.empty() ? "/" : normal;
}

// The real path (links resolved) of an absolute host path whose tail may not exist.
std::string CanonicalHostPath(const std::string& path) {
  std::string head = LexicalHostPath(path);
  std::string tail;
  while (true) {
    char resolved[PATH_MAX];
    if (head.size() < PATH_MAX && ::realpath(head.c_str(), resolved) != nullptr) {
      std::string canonical = resolved;
      if (!tail.empty()) canonical += (canonical == "/" ? "" : "/") + tail;
      return canonical;
    }
    if (head == "/") return path;
    const size_t slash = head.rfind('/');
    const std::string last = head.substr(slash + 1);
    tail = tail.empty() ? last : last + "/" + tail;
    head = slash == 0 ? "/" : head.substr(0, slash);
  }
}

// True when `path` is `root` or lies below it; *rest receives the part below.
bool IsUnder(const std::string& path, const std::string& root, std::string* rest) {
  if (root == "/") {
    *rest = path.substr(1);
    return true;
  }
  if (!path.starts_with(root) || (path.size() > root.size() && path[root.size()] != '/'))
    return false;
  *rest = path.size() > root.size() ? path.substr(root.size() + 1) : std::string();
  return true;
}

bool IsDriveEntryName(std::string_view name) {
  return name.size() == 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
}

std::string Backslashed(std::string text) {
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

struct Entry {
  std::string name;
  std::string real;
};

std::vector<Entry> ListDriveEntries(const std::string& folder) {
  std::vector<Entry> entries;
  for (const std::string& name : FolderEntryNames(folder).value_or(std::vector<std::string>{})) {
    if (!IsDriveEntryName(name) && name != kNetworkEntry) continue;
    char resolved[PATH_MAX];
    const std::string path = folder + "/" + name;
    if (::realpath(path.c_str(), resolved) != nullptr && IsHostDirectory(resolved)) {
      entries.push_back({name, resolved});
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace

DriveMap::DriveMap(std::string folder, bool makeDefaults)
    : folder_(std::move(folder)), makeDefaults_(makeDefaults) {}

DriveMap DriveMap::FromEnvironment() {
  const std::string configured = EnvOrEmpty("TX3_DRIVES");
  if (!configured.empty()) return DriveMap(configured, false);
  std::string data = EnvOrEmpty("XDG_DATA_HOME");
  if (data.empty() || data[0] != '/') data = HomeFolder() + "/.local/share";
  return DriveMap(data + "/tx3-setup/drives", true);
}

void DriveMap::MakeDefaultsOnce() {
  if (!makeDefaults_) return;
  makeDefaults_ = false;
  if (HostEntryExists(folder_) || !MakeHostFolders(folder_)) return;
  ::mkdir((folder_ + "/c:").c_str(), 0777);
  if (::symlink("/", (folder_ + "/z:").c_str()) != 0) return;
}

std::string DriveMap::DriveRoot(const WindowsPath& path) {
  if (path.unc) return folder_ + "/" + kNetworkEntry;
  for (char letter : {path.drive, static_cast<char>(std::toupper(path.drive))}) {
    const std::string entry = folder_ + "/" + letter + ":";
    if (IsHostDirectory(entry)) return entry;
  }
  return {};
}

std::string DriveMap::HostOf(const WindowsPath& path) {
  MakeDefaultsOnce();
  std::string host = DriveRoot(path);
  if (host.empty()) return host;
  bool existing = true;
  for (const std::string& part : path.parts) {
    std::string name;
    if (existing) name = FindEntry(host, part);
    if (name.empty()) {
      existing = false;
      name = part;
    }
    host += "/" + name;
  }
  return host;
}

std::string DriveMap::AbsoluteText(std::string_view text) {
  const PathForm form = FormOf(text);
  if (form == PathForm::kDrive || form == PathForm::kUnc) return std::string(text);
  const std::string current = WindowsPathOf(CurrentHostFolder());
  if (form == PathForm::kRelative) return current + "\\" + std::string(text);
  WindowsPath parsed;
  if (!ParseAbsolute(current, false, &parsed)) return std::string(text);
  parsed.parts.resize(parsed.unc ? std::min<size_t>(parsed.parts.size(), 2) : 0);
  return ToText(parsed) + std::string(text);
}

MappedPath DriveMap::Map(std::string_view text, bool wildcardsInLast) {
  MappedPath mapped;
  if (!ParseAbsolute(AbsoluteText(text), wildcardsInLast, &mapped.windows)) {
    mapped.status = MapStatus::kRefused;
    return mapped;
  }
  mapped.host = HostOf(mapped.windows);
  mapped.status = mapped.host.empty() ? MapStatus::kNoDrive : MapStatus::kOk;
  return mapped;
}

std::string DriveMap::WindowsPathOf(std::string_view hostPath) {
  MakeDefaultsOnce();
  std::string absolute(hostPath);
  if (absolute.empty() || absolute[0] != '/') absolute = CurrentHostFolder() + "/" + absolute;
  const std::string canonical = CanonicalHostPath(absolute);
  const Entry* best = nullptr;
  std::string bestRest;
  const std::vector<Entry> entries = ListDriveEntries(folder_);
  for (const Entry& entry : entries) {
    std::string rest;
    if (IsUnder(canonical, entry.real, &rest) && (!best || entry.real.size() > best->real.size())) {
      best = &entry;
      bestRest = rest;
    }
  }
  if (best && best->name == kNetworkEntry && !bestRest.empty()) {
    return "\\\\" + Backslashed(bestRest);
  }
  if (best && best->name != kNetworkEntry) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(best->name[0])));
    return std::string(1, letter) + ":\\" + Backslashed(bestRest);
  }
  return "Z:\\" + Backslashed(LexicalHostPath(absolute).substr(1));
}

}  // namespace tx3::platform::posix
