// The error pattern: the public error record, the classic run-time descriptions and the helper
// that runs each statement of a procedure, trapping its failure.
#include "common/error.h"

#include "common/run_context.h"

#include <new>
#include <stdexcept>
#include <utility>

namespace tx3 {

std::string ClassicDescription(int32_t number) {
  switch (number) {
    case err::kInvalidCall:
      return "Appel de procédure ou argument incorrect";
    case err::kOverflow:
      return "Dépassement de capacité";
    case err::kOutOfMemory:
      return "Mémoire insuffisante";
    case err::kSubscript:
      return "L'indice n'appartient pas à la sélection";
    case err::kLibraryNotFound:
      return "Erreur de chargement de la DLL";
    case err::kBadFileName:
      return "Nom ou numéro de fichier incorrect";
    case err::kFileNotFound:
      return "Fichier introuvable";
    case err::kFileExists:
      return "Fichier déjà existant";
    case err::kPermissionDenied:
      return "Permission refusée";
    case err::kPathFileAccess:
      return "Erreur d'accès au chemin ou au fichier";
    case err::kPathNotFound:
      return "Chemin d'accès introuvable";
    case err::kEntryPointNotFound:
      return "Fonction de DLL spécifiée introuvable";
    default:
      return "Erreur d'application ou d'objet";
  }
}

void Raise(int32_t number, std::string description, std::string source) {
  if (description.empty()) description = ClassicDescription(number);
  if (source.empty()) source = std::string(kAppName);
  throw RuntimeError{number, std::move(description), std::move(source)};
}

void Check(int32_t number) {
  if (number != 0) Raise(number);
}

namespace {

// A failure as the runtime describes it, from whatever the statement threw.
RuntimeError Classic(int32_t number) {
  return RuntimeError{number, ClassicDescription(number), std::string(kAppName)};
}

RuntimeError CurrentFailure() {
  try {
    throw;
  } catch (const RuntimeError& e) {
    RuntimeError failure = e;
    if (failure.description.empty()) failure.description = ClassicDescription(failure.number);
    if (failure.source.empty()) failure.source = std::string(kAppName);
    return failure;
  } catch (const std::bad_alloc&) {
    return Classic(err::kOutOfMemory);
  } catch (const std::out_of_range&) {
    return Classic(err::kSubscript);
  } catch (const std::overflow_error&) {
    return Classic(err::kOverflow);
  } catch (...) {
    return Classic(err::kInvalidCall);
  }
}

}  // namespace

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
