// What a batch run did, action by action: the source of the dry run's summary and of the report.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/batch/batch_options.h"
#include "app/batch/batch_ui_port.h"
#include "app/batch/operator_fields.h"
#include "platform/profile_change.h"

namespace tx3 {

class FrmMain;
struct RunChanges;

// One action and what happened while it ran (what would have happened, in a dry run).
struct ActionRecord {
  BatchAction action;
  std::vector<ShownMessage> messages;
  std::vector<platform::ProfileFileChange> settingsFiles;  // one per file, in commit order
  std::vector<std::string> folders;                        // folders created
  std::vector<std::string> dataFiles;                      // data files created

  bool ChangesAnything() const;
};

// A field of the table and its value at each of its numbers, as the actions found them.
struct FieldReading {
  const OperatorField* field;
  std::vector<FieldValue> values;
};
using RunFields = std::vector<FieldReading>;  // every field, in the table's order

RunFields FieldsOf(const FrmMain& window);

// Puts into `record` the changes of its action, the commits of one settings file merged into one.
void TakeChanges(RunChanges changes, ActionRecord* record);

// What the whole run changed (or would change).
struct RunTotals {
  int folders = 0;
  int settingsFiles = 0;  // distinct files
  int keysAdded = 0;
  int keysChanged = 0;
  int dataFiles = 0;

  bool Any() const { return folders + settingsFiles + dataFiles > 0; }
};

RunTotals TotalsOf(const std::vector<ActionRecord>& actions);

struct RunRecord {
  std::string version;
  bool dryRun = false;
  RunFields fields;
  std::vector<ActionRecord> actions;
  // Every message: the window's message boxes, and the front end's own warning lines.
  std::vector<ShownMessage> messages;
  uint64_t errorsReported = 0;  // reports of the error manager (the log file tells more)
  int exitStatus = 0;
};

// What decides the exit status of a run that went past its options (ExitStatusOf).
struct RunOutcome {
  bool dryRun = false;
  bool notDone = false;      // something was not done (see kExitNotDone)
  bool warned = false;       // a warning was shown
  bool wouldChange = false;  // a dry run found something to change
};

// Something not done: an error reported, a message that tells so, a settings file a real run did
// not write.
RunOutcome OutcomeOf(const RunRecord& record);

}  // namespace tx3
