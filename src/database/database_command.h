// The database button: every missing data file of the catalogue, created empty.
#pragma once

#include <string_view>

namespace tx3 {

class SystemContext;
struct DatabaseState;

// CommandPervasiveCreate_Click, given the text of the data folder field (TexteDossier(row::kData)).
void CommandPervasiveCreate_Click(SystemContext& run, DatabaseState& db,
                                  std::string_view dataFolderText);

}  // namespace tx3
