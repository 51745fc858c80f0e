// Folder and file checks of Lib_Systeme, with their per-run memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tx3 {

struct SystemeStateRec {
  std::string DossiersTrouves;        // entries "folder,,"
  std::string DossiersAbsents;        // entries "folder,,"
  std::string DernierDossierVerifie;  // last normalised folder verified
  std::string DossiersEnEchec;        // entries "level,"
  std::string DossiersVerifies;       // "," then entries "level,"
  int64_t DecalageTicks = 0;
  int64_t DernierTick = 0;
};
extern SystemeStateRec SystemeState;

// The directory query with the directory attribute: the first matching name, or empty text.
// Raises the platform's failure (call it inside an ErrorPattern statement).
std::string DirQuery(std::string_view pattern, bool includeDirectories = true);

// True when the directory query on `text` (folders included) answers a name; false on failure.
bool EntryExists(std::string_view text);

void VerificationEtCreationRepertoire(std::string_view folder, bool report);
bool FolderFound(std::string_view folder, bool create);
bool File_Exist(std::string_view name, std::string_view callerLabel, bool sizeCheck);
// The file's full size in bytes; -1 when it cannot be opened.
int64_t TailleDuFichier(std::string_view name);
void File_RemoveFlag(std::string_view name, int32_t bits);
int64_t TickCountMs();

// Puts SystemeState back to its start values (tests).
void ResetSystemeStateForTests();

}  // namespace tx3
