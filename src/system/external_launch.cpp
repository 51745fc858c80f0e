// ExecuterProgrammeExterne: the shell's open call, with the shell's failures turned into run-time
// errors.
#include "system/external_launch.h"

#include "common/error.h"
#include "common/run_context.h"
#include "common/text.h"
#include "platform/platform.h"

#include <utility>

namespace tx3 {

namespace {

// Shell failures that have no classic number are raised as the automation base plus the result.
constexpr int64_t kShellErrorBase = -2147220456LL;

// The number and description a shell result is raised with.
std::pair<int32_t, std::string> DescribeShellResult(int32_t result) {
  const auto base = static_cast<int32_t>(kShellErrorBase + result);
  switch (result) {
    case 0:
    case 8:
      return {err::kOutOfMemory, "Dépassement de mémoire"};
    case 2:
      return {err::kFileNotFound, "Chemin d'accès non trouvé"};
    case 3:
      return {err::kPathNotFound, "Chemin d'accès non trouvé"};
    case 5:
    case 26:
      return {err::kPathFileAccess, "Violation de partage: Erreur d'accès au Dossier/Fichier"};
    case 11:
      return {base, "Cet exécutable est invalide ou corrompu"};
    case 27:
    case 31:
      return {base, "Il n'y a aucune application associée à ce type de fichier"};
    case 28:
      return {err::kDdeTimeout,
              "Le fichier ne peut être ouvert car le délai d'attente est dépassé. Réessayez plus "
              "tard"};
    case 29:
      return {
          err::kDdeFailed,
          "Le fichier ne peut être ouvert car la transaction DDE a échoué. Réessayez plus tard"};
    case 30:
      return {err::kDdeFailed,
              "Le fichier ne peut être ouvert car l'application est occupée. Réessayez plus tard"};
    case 32:
      return {err::kLibraryNotFound, "Le fichier dll ne peut être trouvé"};
    default:
      return {base, "Erreur à l'ouverture ou l'impression du fichier sélectionné"};
  }
}

// The running program's file name without folder and extension ("tx3_setup").
std::string ExecutableBaseName() {
  std::string path = platform::Os().ExecutablePath();
  const size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos) path.erase(0, slash + 1);
  const size_t dot = path.rfind('.');
  if (dot != std::string::npos) path.resize(dot);
  return path;
}

}  // namespace

int32_t ExecuterProgrammeExterne(RunContext& run, std::string_view file) {
  ErrorPattern e(run, "Lib_Systeme:ExecuterProgrammeExterne");
  // A missing file is the operator's business, not a fault: it is traced only.
  e.TreatFirst([&](const ErrorRecord& record) {
    if (record.Numero != err::kFileNotFound) return false;
    TraceLog("Err: 53: Chemin d'accès non trouvé: " + std::string(file) +
             " |Source: Lib_Systeme:ExecuterProgrammeExterne:" + ToText(record.Ligne));
    return true;
  });

  int32_t result = 0;
  e(10, [&] {
    constexpr int32_t kNormalWindow = 1;
    result = static_cast<int32_t>(
        platform::Os().OpenInShell("Open", file, std::nullopt, std::nullopt, kNormalWindow));
  });
  if (result > 32) return result;
  e(20, [&] {
    auto [number, description] = DescribeShellResult(result);
    Raise(number, std::move(description), ExecutableBaseName() + ".ExecuterProgrammeExterne");
  });
  return result;
}

}  // namespace tx3
