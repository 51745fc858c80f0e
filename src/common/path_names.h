// Path-name utilities of Lib_Public: cleaning, vetting, normalising and splitting folder and
// file names typed by the operator or read from settings files.
#pragma once

#include <string>
#include <string_view>

namespace tx3 {

// Output of EclateRepFicExt (the latest call only).
struct RepFicExt {
  std::string Rep;  // folder part, with its trailing backslash when the path has one
  std::string Fic;  // file name without extension
  std::string Ext;  // extension with its dot
};

class RunContext;

std::string NettoieNomDeDossier(RunContext& run, std::string_view name);
bool NomFichierCorrect(RunContext& run, std::string_view name);
std::string CheckRep(RunContext& run, std::string_view folder, std::string_view separator = "\\");
// Splits `path` into the run's PbTRepFicExt.
void EclateRepFicExt(RunContext& run, std::string_view path);

}  // namespace tx3
