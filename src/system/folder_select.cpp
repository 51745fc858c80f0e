// FolderSelect: the folder-browse dialog, opened on the caller's folder, answering a folder that
// ends with "\" and exists.
#include "system/folder_select.h"

#include "common/error.h"
#include "common/path_names.h"
#include "common/text.h"
#include "common/ui_port.h"
#include "system/folder_checks.h"

namespace tx3 {

std::string DossierDepartSelection;

namespace {

constexpr std::string_view kDefaultTitle = "Sélectionnez un dossier: ";
constexpr std::string_view kNothingChosen = "*";

std::string CutAtNul(std::string text) {
  const size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

}  // namespace

std::string FolderSelectStartPath() {
  std::string start = DossierDepartSelection;
  if (start.ends_with('\\')) start.pop_back();
  return start;
}

std::string FolderSelect(std::string_view startText, std::string_view title,
                         std::string_view applicationFolder) {
  ErrorPattern e("Lib_Systeme:FolderSelect");
  // The last part of the start text is taken for a file name: the dialog opens on its folder.
  e(10, [&] {
    EclateRepFicExt(startText);
    DossierDepartSelection = PbTRepFicExt.Rep;
  });
  e(20, [&] {
    if (Trim(DossierDepartSelection).empty()) DossierDepartSelection = applicationFolder;
  });

  std::string result(kNothingChosen);
  e(30, [&] {
    const std::optional<std::string> chosen =
        Ui().BrowseForFolder(FolderSelectStartPath(), title.empty() ? kDefaultTitle : title);
    if (chosen) result = CheckRep(CutAtNul(*chosen), "\\");
  });
  if (Trim(result) != kNothingChosen) {
    e(40, [&] {
      if (!FolderFound(result, false)) VerificationEtCreationRepertoire(result, true);
    });
  }
  return result;
}

}  // namespace tx3
