// The folder picker.
#pragma once

#include <string>
#include <string_view>

namespace tx3 {

class SystemContext;

// Opens the folder-browse dialog on the folder part of `startText` (or `applicationFolder` when it
// has none). Answers the chosen folder ending with "\" (made to exist), or "*" when nothing was
// chosen. An empty title shows "Sélectionnez un dossier: ".
std::string FolderSelect(SystemContext& run, std::string_view startText, std::string_view title,
                         std::string_view applicationFolder);

}  // namespace tx3
