// Any text as a Windows path, mapped onto emulated drives: a path that maps on C: or D: lands
// inside that drive's folder whatever its "..", ".", doubled separators or device names, and a
// parsed path reads back the same from its own text. The same text goes through the path helpers
// as a folder field does (cleaned, then given its one final backslash): each keeps its promise,
// and the folder the program would create maps inside its drive too.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/path_names.h"
#include "common/run_context.h"
#include "common/text.h"
#include "platform/posix/drive_map.h"
#include "platform/windows_path.h"

namespace {

using tx3::platform::PathForm;
using tx3::platform::WindowsPath;
using tx3::platform::posix::DriveMap;
using tx3::platform::posix::MappedPath;
using tx3::platform::posix::MapStatus;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The drives folder, made once: "c:" and "d:" plain folders, and the current folder set to
// C:\work so that relative and root-relative texts land on a drive too. Nothing is created per
// input, so that the target stays fast.
std::string* drives = nullptr;
DriveMap* driveMap = nullptr;

bool Inside(const std::string& host, const std::string& root) {
  if (host == root) return true;
  if (host.compare(0, root.size() + 1, root + "/") != 0) return false;
  // Lexically: no empty, "." or ".." component after the drive's folder.
  std::string_view rest = std::string_view(host).substr(root.size() + 1);
  while (true) {
    const size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    if (part.empty() || part == "." || part == ".." || part.find('\0') != part.npos) return false;
    if (slash == std::string_view::npos) return true;
    rest.remove_prefix(slash + 1);
  }
}

bool SameParse(const WindowsPath& a, const WindowsPath& b) {
  return a.unc == b.unc && a.drive == b.drive && a.parts == b.parts;
}

// What NettoieNomDeDossier promises: none of the characters it replaces or removes, no colon
// past the drive part, no blank before a backslash, none around the text.
void CheckCleaned(const std::string& cleaned) {
  Require(cleaned.find_first_of("/*?\"<>|,%") == std::string::npos);
  Require(tx3::CharCount(cleaned) <= 2 || tx3::MidChars(cleaned, 3).find(':') == std::string::npos);
  Require(cleaned.find(" \\") == std::string::npos);
  Require(cleaned.empty() || (cleaned.front() != ' ' && cleaned.back() != ' '));
}

// CheckRep: the text with one final backslash added, or its doubled final backslash made single.
void CheckFolder(const std::string& cleaned, const std::string& folder) {
  if (cleaned.empty()) return Require(folder.empty());
  Require(folder.ends_with('\\'));
  Require(folder == cleaned || folder == cleaned + "\\" ||
          (cleaned.ends_with("\\\\") && folder == cleaned.substr(0, cleaned.size() - 1)));
}

// EclateRepFicExt: folder, name and extension put together give the trimmed path back, unless
// the scan found no folder to split off (a path starting with its extension's dot).
void CheckSplit(const std::string& text, const tx3::RepFicExt& split) {
  const std::string trimmed = tx3::Trim(text);
  Require(split.Fic.find('\\') == std::string::npos);
  Require(split.Ext.empty() || split.Ext.front() == '.');
  Require(split.Ext.find('\\') == std::string::npos);
  if (split.Rep == trimmed && split.Fic.empty()) return;
  Require(split.Rep + split.Fic + split.Ext == trimmed);
  Require(split.Rep.empty() || split.Rep.ends_with('\\'));
}

// A path that maps on C: or D: stays inside that drive's folder, lexically and on disk.
void CheckMapping(std::string_view text, bool wildcards) {
  const MappedPath mapped = driveMap->Map(text, wildcards);
  if (mapped.status != MapStatus::kOk || mapped.windows.unc) return;
  const char drive = mapped.windows.drive;
  if (drive != 'c' && drive != 'd') return;
  const std::string root = *drives + "/" + drive + ":";
  Require(Inside(mapped.host, root));
  // The same once resolved on disk (a name too long for the host is refused there: no answer).
  std::error_code error;
  std::string resolved = std::filesystem::weakly_canonical(mapped.host, error).string();
  if (error) return;
  if (resolved.size() > 1 && resolved.back() == '/') resolved.pop_back();
  Require(Inside(resolved, std::filesystem::weakly_canonical(root).string()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/tx3_windows_path_fuzz.XXXXXX";
  Require(::mkdtemp(pattern) != nullptr);
  drives = new std::string(pattern);
  std::filesystem::create_directories(*drives + "/c:/work");
  std::filesystem::create_directories(*drives + "/d:");
  Require(::chdir((*drives + "/c:/work").c_str()) == 0);
  driveMap = new DriveMap(*drives, false);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const bool wildcards = size > 0 && (data[0] & 1) != 0;

  const PathForm form = tx3::platform::FormOf(text);
  WindowsPath parsed;
  if ((form == PathForm::kDrive || form == PathForm::kUnc) &&
      tx3::platform::ParseAbsolute(text, wildcards, &parsed)) {
    for (const std::string& part : parsed.parts) {
      Require(!part.empty() && part != "." && part != "..");
      Require(part.find_first_of(std::string_view("\\/\0", 3)) == std::string::npos);
    }
    if (!parsed.unc) {
      // A drive path written back and parsed again is the same path.
      WindowsPath again;
      Require(tx3::platform::ParseAbsolute(tx3::platform::ToText(parsed), wildcards, &again));
      Require(SameParse(parsed, again));
    }
  }

  CheckMapping(text, wildcards);

  tx3::RunContext run;
  const std::string cleaned = tx3::NettoieNomDeDossier(run, text);
  CheckCleaned(cleaned);
  const std::string folder = tx3::CheckRep(run, cleaned);
  CheckFolder(cleaned, folder);
  CheckMapping(folder, wildcards);
  tx3::EclateRepFicExt(run, text);
  CheckSplit(std::string(text), run.PbTRepFicExt);
  return 0;
}
