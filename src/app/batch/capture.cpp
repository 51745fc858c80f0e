#include "app/batch/capture.h"

#include <set>
#include <utility>

#include "app/frm_main.h"
#include "common/path_names.h"
#include "common/profile_transaction.h"
#include "settings/global_configuration.h"
#include "system/folder_checks.h"
#include "system/ini_access.h"

namespace tx3 {

std::string ReadBackFolderOf(const BatchOptions& options) {
  std::string folder;
  for (const FieldOption& f : options.fields) {
    if (f.field->key == "Folder" && f.index == row::kApplication) folder = f.value.text;
  }
  return folder;
}

void CompleteCapture(FrmMain& window) {
  SystemContext& run = window.Run();
  // Empty only when the read-back could not even form the folder's name: the row stays.
  if (!window.ReadBackFolder().empty()) {
    window.SetTexteDossier(row::kApplication, window.ReadBackFolder());
  }
  const ProfileTransaction transaction;
  const std::string brSys = CheckRep(run, window.TexteDossier(row::kConfig)) + "Br_Sys.ini";
  for (const auto& [row, key] : {std::pair{row::kLog, "REPLOG"}, {row::kLogPub, "REPLOGPUB"}}) {
    window.SetTexteDossier(row,
                           LectureIni(run, brSys, "Repertoires", key, window.TexteDossier(row)));
  }
}

std::optional<std::string> NothingCaptured(FrmMain& window, const BatchOptions& options) {
  // Nothing is missed when the options give every field an installation stores (the radio, the
  // stations, the folder rows).
  size_t storedFieldCount = 0;
  for (const OperatorField& f : OperatorFields()) storedFieldCount += f.stored ? f.count : 0;
  std::set<std::pair<const OperatorField*, int>> given;
  for (const FieldOption& f : options.fields) {
    if (f.field->stored) given.insert({f.field, f.index});
  }
  if (given.size() == storedFieldCount) return std::nullopt;
  const std::string& folder = window.ReadBackFolder();
  const std::string file = folder + std::string(kGlobalConfigurationFile);
  if (File_Exist(window.Run(), file, "Batch:Capture", false)) return std::nullopt;
  return "Aucune installation trouvée dans " + folder + " : les champs sont ceux par défaut";
}

}  // namespace tx3
