// The database button: every missing data file of the catalogue, created empty.
#pragma once

#include <cstdint>
#include <string_view>

namespace tx3 {

class Engine;
class RunContext;
class SystemContext;
struct DatabaseState;

// CommandPervasiveCreate_Click, given the text of the data folder field (TexteDossier(row::kData)).
void CommandPervasiveCreate_Click(SystemContext& run, DatabaseState& db,
                                  std::string_view dataFolderText);

// Issues the engine's Create for `Fichier` (a Windows path) with the create buffer already
// filled; answers the status of the first attempt, 0 for success.
int16_t CreationStructureVide(RunContext& run, DatabaseState& db, std::string_view Fichier,
                              Engine& engine);

}  // namespace tx3
