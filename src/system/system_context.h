// What one run carries in the system layer, on top of the common run context: the memory of
// the folder checks, the millisecond clock's wrap memory, the folder picker's start folder and
// the version facts read at start-up.
#pragma once

#include <cstdint>
#include <string>

#include "common/run_context.h"
#include "system/folder_memory.h"

namespace tx3 {

struct SystemeStateRec {
  FolderSet DossiersTrouves;          // folders FolderFound found
  FolderSet DossiersAbsents;          // folders FolderFound did not find
  std::string DernierDossierVerifie;  // last normalised folder verified
  FolderSet DossiersEnEchec;          // levels that could not be created
  FolderSet DossiersVerifies;         // levels known to exist
  int64_t DecalageTicks = 0;
  int64_t DernierTick = 0;
};

class SystemContext : public RunContext {
 public:
  using RunContext::RunContext;

  SystemeStateRec SystemeState;
  std::string DossierDepartSelection;  // the start folder of the latest FolderSelect
  int32_t CodeVersionWindows = 0;      // 10, 8, 7, 6, 5, 2003, 2000; 0 until recognised
  bool Ticks64Disponible = false;      // the 64-bit tick counter may be used
  std::string UpdateHost;              // the update server's host; empty: the build's default
};

}  // namespace tx3
