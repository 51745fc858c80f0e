#include "app/batch/dry_run_summary.h"

namespace tx3 {
namespace {

constexpr std::string_view kFolders = "Dossiers à créer : ";
constexpr std::string_view kSettingsFiles = "Fichiers de paramètres à écrire : ";
constexpr std::string_view kDataFiles = "Fichiers de données à créer : ";

std::string KeyCounts(int added, int changed) {
  return "(clés ajoutées : " + std::to_string(added) + ", modifiées : " + std::to_string(changed) +
         ")";
}

// "TITLE N", then `tail`, on a line of its own; nothing when N is 0.
void Count(std::string& text, std::string_view title, size_t n, const std::string& tail = "") {
  if (n > 0) text += std::string(title) + std::to_string(n) + tail + "\n";
}

void List(std::string& text, std::string_view title, const std::vector<std::string>& paths) {
  Count(text, title, paths.size());
  for (const std::string& path : paths) text += "  " + path + "\n";
}

// Each key as the line the file would hold, "+" before it; a replaced line first, "-" before it.
void Keys(std::string& text, const platform::ProfileFileChange& file) {
  for (const platform::ProfileKeyChange& k : file.keys) {
    const std::string line = "[" + k.section + "] " + k.key + "=";
    if (k.before) text += "    - " + line + *k.before + "\n";
    text += "    + " + line + k.after + "\n";
  }
}

void Block(std::string& text, const ActionRecord& action, bool verbose) {
  text += "[dry-run] " + ActionText(action.action) + "\n";
  if (!action.ChangesAnything()) text += "Rien à changer.\n";
  List(text, kFolders, action.folders);
  Count(text, kSettingsFiles, action.settingsFiles.size());
  for (const platform::ProfileFileChange& f : action.settingsFiles) {
    text += "  " + f.file + " " + KeyCounts(f.added, f.changed) + "\n";
    if (verbose) Keys(text, f);
  }
  List(text, kDataFiles, action.dataFiles);
  text += "\n";
}

}  // namespace

std::string DryRunSummary(const std::vector<ActionRecord>& actions, bool verbose, bool trouble) {
  const RunTotals totals = TotalsOf(actions);
  if (!totals.Any()) {
    return trouble ? "Rien à changer, mais la simulation a rencontré des problèmes (voir "
                     "ci-dessus).\n"
                   : "Rien à changer : le poste est à jour.\n";
  }
  std::string text;
  for (const ActionRecord& a : actions) Block(text, a, verbose);
  text += "[dry-run] total\n";
  Count(text, kFolders, totals.folders);
  Count(text, kSettingsFiles, totals.settingsFiles,
        " " + KeyCounts(totals.keysAdded, totals.keysChanged));
  Count(text, kDataFiles, totals.dataFiles);
  text += "\n";
  return text;
}

}  // namespace tx3
