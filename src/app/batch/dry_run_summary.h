// What a dry run prints once its actions have run: per action, what a real run would change.
//
//   [dry-run] step 1
//   Dossiers à créer : 2
//     C:\Kalvet\                   (folders end with a backslash)
//     C:\Kalvet\Pub\              (idem)
//
//   [dry-run] step 3
//   Fichiers de paramètres à écrire : 1
//     C:\Brennic\Tarvox\Config\BR_Pub.ini (clés ajoutées : 1, modifiées : 1)
//       + [Pub] Duree=30              (with --verbose: the new line,
//       - [Pub] Nom=Ancien             the line it replaces,
//       + [Pub] Nom=Nouveau            the line replacing it)
//
//   [dry-run] create-database
//   Fichiers de données à créer : 1
//     C:\TX_Data\Data\FRAD000.bt6
//
//   [dry-run] total
//   Dossiers à créer : 2
//   Fichiers de paramètres à écrire : 1 (clés ajoutées : 1, modifiées : 1)
//   Fichiers de données à créer : 1
//
// An action that would change nothing has the line "Rien à changer." in its block. When the
// whole run would change nothing, one line says so instead of the blocks. Scripts read this text:
// keep its words and layout.
#pragma once

#include <string>
#include <vector>

#include "app/batch/run_record.h"

namespace tx3 {

// `trouble`: a warning or an error was met, so "nothing to change" does not mean up to date.
std::string DryRunSummary(const std::vector<ActionRecord>& actions, bool verbose, bool trouble);

}  // namespace tx3
