// Folder and file checks of Lib_Systeme, with their per-run memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tx3 {

class ErrorPattern;
class SystemContext;

// The directory query with the directory attribute: the first matching name, or empty text.
// Raises the platform's failure (call it inside an ErrorPattern statement).
std::string DirQuery(std::string_view pattern, bool includeDirectories = true);

// True when the directory query on `text` (folders included) answers a name, as statement `line`
// of `e`: a failed query is reported like any failed statement and answers false.
bool EntryExists(ErrorPattern& e, int line, std::string_view text);

void VerificationEtCreationRepertoire(SystemContext& run, std::string_view folder);
bool FolderFound(SystemContext& run, std::string_view folder);
bool File_Exist(SystemContext& run, std::string_view name, std::string_view callerLabel,
                bool sizeCheck);
// The file's full size in bytes; -1 when it cannot be opened.
int64_t TailleDuFichier(SystemContext& run, std::string_view name);
// Clears the file's read-only attribute.
void File_RemoveFlag(SystemContext& run, std::string_view name);
int64_t TickCountMs(SystemContext& run);

}  // namespace tx3
