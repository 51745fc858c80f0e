#include "app/batch/run_record.h"

#include <algorithm>
#include <set>
#include <utility>

#include "common/list_message.h"
#include "common/run_context.h"

namespace tx3 {
namespace {

// Adds one commit of a settings file to the action's entry for that file.
void Merge(std::vector<platform::ProfileFileChange>& files,
           const platform::ProfileFileChange& change) {
  const auto same = std::find_if(files.begin(), files.end(),
                                 [&](const auto& f) { return f.file == change.file; });
  if (same == files.end()) {
    files.push_back(change);
    return;
  }
  same->added += change.added;
  same->changed += change.changed;
  same->written = same->written && change.written;
  same->keys.insert(same->keys.end(), change.keys.begin(), change.keys.end());
}

// Whether a message tells that something was not done: a critical message, or a warning that
// lists settings files not written, folders or data files not created. Other warnings tell of
// something done all the same, or of nothing to do.
bool TellsSomethingNotDone(const ShownMessage& message) {
  if (message.icon == MsgIcon::Critical) return true;
  if (message.icon != MsgIcon::Warning) return false;
  return std::any_of(std::begin(kNothingDoneTitles), std::end(kNothingDoneTitles),
                     [&](std::string_view heading) { return message.text.starts_with(heading); });
}

}  // namespace

bool ActionRecord::ChangesAnything() const {
  return !settingsFiles.empty() || !folders.empty() || !dataFiles.empty();
}

RunFields FieldsOf(const FrmMain& window) {
  RunFields fields;
  for (const OperatorField& f : OperatorFields()) {
    FieldReading& reading = fields.emplace_back(FieldReading{&f, {}});
    for (int i = 0; i < f.count; ++i) reading.values.push_back(f.get(window, i));
  }
  return fields;
}

void TakeChanges(RunChanges changes, ActionRecord* record) {
  for (const platform::ProfileFileChange& change : changes.profileFiles) {
    Merge(record->settingsFiles, change);
  }
  record->folders = std::move(changes.folders);
  record->dataFiles = std::move(changes.dataFiles);
}

RunOutcome OutcomeOf(const RunRecord& record) {
  RunOutcome outcome;
  outcome.dryRun = record.dryRun;
  outcome.notDone = record.errorsReported != 0;
  for (const ShownMessage& m : record.messages) {
    outcome.notDone = outcome.notDone || TellsSomethingNotDone(m);
    outcome.warned = outcome.warned || m.icon == MsgIcon::Warning;
  }
  for (const ActionRecord& a : record.actions) {
    for (const platform::ProfileFileChange& f : a.settingsFiles) {
      outcome.notDone = outcome.notDone || (!record.dryRun && !f.written);
    }
  }
  outcome.wouldChange = record.dryRun && TotalsOf(record.actions).Any();
  return outcome;
}

RunTotals TotalsOf(const std::vector<ActionRecord>& actions) {
  RunTotals totals;
  std::set<std::string> files;
  for (const ActionRecord& a : actions) {
    totals.folders += static_cast<int>(a.folders.size());
    totals.dataFiles += static_cast<int>(a.dataFiles.size());
    for (const platform::ProfileFileChange& f : a.settingsFiles) {
      files.insert(f.file);
      totals.keysAdded += f.added;
      totals.keysChanged += f.changed;
    }
  }
  totals.settingsFiles = static_cast<int>(files.size());
  return totals;
}

}  // namespace tx3
