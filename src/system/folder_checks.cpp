// Folder checks of Lib_Systeme: the directory query, the level-by-level folder creation and the
// per-run memory of folders found, absent, verified and failed.
#include "system/folder_checks.h"

#include "common/error.h"
#include "common/path_names.h"
#include "common/text.h"
#include "platform/platform.h"
#include "system/system_context.h"
#include "system/windows_version.h"

#include <vector>

namespace tx3 {

std::string DirQuery(std::string_view pattern, bool includeDirectories) {
  std::string name;
  const int32_t failure = platform::Os().FindFirst(pattern, includeDirectories, &name);
  if (failure != 0) Raise(failure);
  return name;
}

bool EntryExists(ErrorPattern& e, int line, std::string_view text) {
  bool found = false;
  e(line, [&] { found = !DirQuery(text).empty(); });
  return found;
}

namespace {

bool IsFolderNotFoundNumber(int32_t number) {
  return number == err::kBadFileName || number == err::kPathFileAccess ||
         number == err::kPathNotFound;
}

// The folder prefixes that end with "\" and are longer than 3 characters, in order.
std::vector<std::string> FolderLevels(const std::string& folder) {
  std::vector<std::string> levels;
  for (size_t i = 0; i < folder.size(); ++i) {
    if (folder[i] != '\\') continue;
    std::string prefix = folder.substr(0, i + 1);
    if (CharCount(prefix) > 3) levels.push_back(std::move(prefix));
  }
  return levels;
}

// The suite's programs find their folders through the settings files, whose text is in the ANSI
// code page: a folder whose name that code page cannot hold would be written there with "?" in
// place of its characters and never be found again.
bool FitsSettingsCodePage(std::string_view folder) {
  return platform::Os().AnsiToUtf8(platform::Os().Utf8ToAnsi(folder)) == folder;
}

enum class LevelOutcome { kExists, kSkipped, kFailed };

// Makes one level exist: the runtime's MkDir, then CreateDirectoryA, then CreateDirectoryExA with
// the Windows folder as template. Only the existence queries decide; the calls' answers do not.
LevelOutcome EnsureLevel(SystemContext& run, ErrorPattern& e, const std::string& level) {
  SystemeStateRec& SystemeState = run.SystemeState;
  bool exists = false;
  auto query = [&](int line) { exists = EntryExists(e, line, level); };

  query(40);
  if (exists) {
    SystemeState.DossiersVerifies.Add(level);
    return LevelOutcome::kExists;
  }
  e(50, [&] { Check(platform::Os().MakeDirectory(level)); });
  query(60);
  if (exists) {
    run.Changes.folders.push_back(level);
    return LevelOutcome::kExists;
  }

  e(70, [&] { platform::Os().CreateFolder(level); });
  query(80);
  if (!exists) {
    e(90, [&] { platform::Os().CreateFolderLike(GetWinDir(run), level); });
    query(100);
  }
  if (exists) {
    run.Changes.folders.push_back(level);
    SystemeState.DossiersVerifies.Add(level);
    return LevelOutcome::kExists;
  }

  // Administrative shares cannot be created and are no fault of the installation.
  if (level.find('$') != std::string::npos || SystemeState.DossiersEnEchec.Contains(level)) {
    return LevelOutcome::kSkipped;
  }
  e(110, [&] { TraceLog("Folder '" + level + "' not found"); });
  e(120, [&] { SystemeState.DossiersEnEchec.Add(level); });
  return LevelOutcome::kFailed;
}

}  // namespace

void VerificationEtCreationRepertoire(SystemContext& run, std::string_view folder) {
  SystemeStateRec& SystemeState = run.SystemeState;
  std::string clean;
  ErrorPattern e(run, "Lib_Systeme:VerificationEtCreationRepertoire");
  e.TreatFirst([&](const ErrorRecord& record) {
    if (!IsFolderNotFoundNumber(record.Numero)) return false;
    TraceLog("Err: " + ToText(record.Numero) + ": Folder not found: " + clean +
             " |Source: Lib_Systeme:VerificationEtCreationRepertoire:" + ToText(record.Ligne));
    return true;
  });

  e(10, [&] { clean = NettoieNomDeDossier(run, folder); });
  if (Trim(clean).empty()) return;
  e(20, [&] { clean = CheckRep(run, clean, "\\"); });
  const bool nameable = e(25, [&] {
    if (!FitsSettingsCodePage(clean)) Raise(err::kBadFileName);
  });
  if (!nameable) return;
  if (SystemeState.DossiersVerifies.Contains(clean)) return;
  if (clean == SystemeState.DernierDossierVerifie) return;

  std::vector<std::string> levels;
  e(30, [&] { levels = FolderLevels(clean); });
  for (size_t i = 0; i < levels.size(); ++i) {
    if (i == 0 && levels[i].starts_with("\\\\")) continue;  // a network server is never made
    if (EnsureLevel(run, e, levels[i]) == LevelOutcome::kFailed) break;
  }
  SystemeState.DernierDossierVerifie = clean;
}

bool FolderFound(SystemContext& run, std::string_view folder) {
  SystemeStateRec& SystemeState = run.SystemeState;
  bool abandoned = false;
  ErrorPattern e(run, "Lib_Systeme:FolderFound");
  e.TreatFirst([&](const ErrorRecord& record) {
    if (!IsFolderNotFoundNumber(record.Numero)) return false;
    const std::string text(folder);
    TraceLog("Err: Folder not found: " + text +
             " |Source: Lib_Systeme:FolderFound:" + ToText(record.Ligne) + " |Dossier: " + text);
    abandoned = true;
    return true;
  });

  if (Trim(folder).empty()) return false;
  if (SystemeState.DossiersTrouves.Contains(folder)) return true;
  if (SystemeState.DossiersAbsents.Contains(folder)) return false;

  bool exists = EntryExists(e, 40, folder);
  if (abandoned) return false;
  if (!exists) {
    e(50, [&] { VerificationEtCreationRepertoire(run, folder); });
    exists = EntryExists(e, 60, folder);
    if (abandoned) return false;
  }
  (exists ? SystemeState.DossiersTrouves : SystemeState.DossiersAbsents).Add(folder);
  return exists;
}

}  // namespace tx3
