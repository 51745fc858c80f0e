// FolderSelect: the folder-browse dialog, opened on the caller's folder, answering a folder that
// ends with "\" and exists.
#include "system/folder_select.h"

#include "common/error.h"
#include "common/path_names.h"
#include "common/text.h"
#include "common/ui_port.h"
#include "system/folder_checks.h"
#include "system/system_context.h"

namespace tx3 {

namespace {

constexpr std::string_view kDefaultTitle = "Sélectionnez un dossier: ";
constexpr std::string_view kNothingChosen = "*";

}  // namespace

std::string FolderSelect(SystemContext& run, std::string_view startText, std::string_view title,
                         std::string_view applicationFolder) {
  std::string& DossierDepartSelection = run.DossierDepartSelection;
  ErrorPattern e(run, "Lib_Systeme:FolderSelect");
  // The last part of the start text is taken for a file name: the dialog opens on its folder.
  e(10, [&] {
    EclateRepFicExt(run, startText);
    DossierDepartSelection = run.PbTRepFicExt.Rep;
  });
  e(20, [&] {
    if (Trim(DossierDepartSelection).empty()) DossierDepartSelection = applicationFolder;
  });

  std::string result(kNothingChosen);
  e(30, [&] {
    // The dialog opens on the folder without its final backslash.
    std::string start = DossierDepartSelection;
    if (start.ends_with('\\')) start.pop_back();
    const std::optional<std::string> chosen =
        run.Ui().BrowseForFolder(start, title.empty() ? kDefaultTitle : title);
    if (chosen) result = CheckRep(run, CutAtNul(*chosen), "\\");
  });
  if (Trim(result) != kNothingChosen) {
    e(40, [&] {
      if (!FolderFound(run, result)) VerificationEtCreationRepertoire(run, result);
    });
  }
  return result;
}

}  // namespace tx3
