// The error pattern: the public error record, the classic run-time descriptions and the helper
// that runs each statement of a procedure, trapping its failure.
#include "common/error.h"

#include "common/run_context.h"

#include <new>
#include <stdexcept>
#include <utility>

namespace tx3 {

namespace {

// The runtime's descriptions of the classic numbers this program raises.
constexpr std::pair<int32_t, std::string_view> kClassicDescriptions[] = {
    {err::kInvalidCall, "Appel de procédure ou argument incorrect"},
    {err::kOverflow, "Dépassement de capacité"},
    {err::kOutOfMemory, "Mémoire insuffisante"},
    {err::kSubscript, "L'indice n'appartient pas à la sélection"},
    {err::kLibraryNotFound, "Erreur de chargement de la DLL"},
    {err::kBadFileName, "Nom ou numéro de fichier incorrect"},
    {err::kFileNotFound, "Fichier introuvable"},
    {err::kFileExists, "Fichier déjà existant"},
    {err::kPermissionDenied, "Permission refusée"},
    {err::kPathFileAccess, "Erreur d'accès au chemin ou au fichier"},
    {err::kPathNotFound, "Chemin d'accès introuvable"},
    {err::kEntryPointNotFound, "Fonction de DLL spécifiée introuvable"},
};

// The failure with the runtime's description and the program's name where it has none.
RuntimeError Completed(RuntimeError failure) {
  if (failure.description.empty()) failure.description = ClassicDescription(failure.number);
  if (failure.source.empty()) failure.source = std::string(kAppName);
  return failure;
}

// A failure as the runtime describes it, from whatever the statement threw.
RuntimeError CurrentFailure() {
  try {
    throw;
  } catch (const RuntimeError& e) {
    return Completed(e);
  } catch (const std::bad_alloc&) {
    return Completed({err::kOutOfMemory, {}, {}});
  } catch (const std::out_of_range&) {
    return Completed({err::kSubscript, {}, {}});
  } catch (const std::overflow_error&) {
    return Completed({err::kOverflow, {}, {}});
  } catch (...) {
    return Completed({err::kInvalidCall, {}, {}});
  }
}

}  // namespace

std::string ClassicDescription(int32_t number) {
  for (const auto& [classic, description] : kClassicDescriptions) {
    if (classic == number) return std::string(description);
  }
  return "Erreur d'application ou d'objet";
}

void Raise(int32_t number, std::string description, std::string source) {
  throw Completed({number, std::move(description), std::move(source)});
}

void Check(int32_t number) {
  if (number != 0) Raise(number);
}

bool ErrorPattern::operator()(int line, const std::function<void()>& statement) {
  RuntimeError failure{};
  try {
    statement();
    return true;
  } catch (...) {
    try {
      failure = CurrentFailure();
    } catch (...) {
      failure.number = err::kOutOfMemory;
    }
  }
  // The handler: record the failure (number, source, description, line, in this order), give the
  // procedure's own treatment the first look, otherwise report it. Nothing here may escape.
  ErrorRecord& record = run_.PbTErreur;
  SkipOnError([&] {
    record.Numero = failure.number;
    record.Source = failure.source;
    record.Description = failure.description;
    record.Ligne = line;
    run_.CurrentError = record;
  });
  bool handled = false;
  if (special_) SkipOnError([&] { handled = special_(record); });
  if (!handled) GestionDesErreurs(run_, procedure_);
  return false;
}

bool SkipOnError(const std::function<void()>& statement) {
  try {
    statement();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace tx3
