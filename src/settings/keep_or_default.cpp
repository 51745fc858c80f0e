// The keep-or-default rule and the closing message of the settings commands.
#include "settings/keep_or_default.h"

#include <algorithm>

#include "common/list_message.h"
#include "common/run_context.h"
#include "common/text.h"
#include "platform/platform.h"
#include "system/ini_access.h"
#include "system/system_context.h"

namespace tx3 {

namespace {

// The entry of `file`; nullptr when it has none.
UnwrittenKeys* EntryOf(std::vector<UnwrittenKeys>& counts, std::string_view file) {
  const auto entry = std::ranges::find(counts, file, &UnwrittenKeys::file);
  return entry == counts.end() ? nullptr : &*entry;
}

void AddOne(std::vector<UnwrittenKeys>& counts, std::string_view file) {
  if (UnwrittenKeys* entry = EntryOf(counts, file)) {
    ++entry->count;
  } else {
    counts.push_back(UnwrittenKeys{std::string(file), 1});
  }
}

}  // namespace

void SettingsWriter::Overwrite(std::string_view file, std::string_view section,
                               std::string_view key, std::string_view value) {
  e_(line_, [&] {
    AddOne(attempted_, file);
    if (!EcritureIni(run_, file, section, key, value)) AddOne(unwritten_, file);
  });
}

void SettingsWriter::KeepOrDefault(std::string_view file, std::string_view section,
                                   std::string_view key, std::string_view defaultValue) {
  e_(line_, [&] {
    AddOne(attempted_, file);
    // LectureIni answers empty text when the read itself fails: the failure shows only in the
    // error record, which is put back as it was when nothing failed.
    ErrorRecord& PbTErreur = run_.PbTErreur;
    const ErrorRecord before = PbTErreur;
    PbTErreur.Numero = 0;
    const std::string kept =
        LectureIni(run_, file, section, key, defaultValue, IniModule::LibSysteme);
    if (PbTErreur.Numero != 0) {
      AddOne(unwritten_, file);  // a value that cannot be read is never overwritten
      return;
    }
    PbTErreur = before;
    if (!EcritureIni(run_, file, section, key, kept)) AddOne(unwritten_, file);
  });
}

void SettingsWriter::Commit() {
  for (const platform::ProfileFileChange& change : platform::Os().CommitProfileWrites()) {
    run_.Changes.profileFiles.push_back(change);
    if (change.written || run_.DryRun) continue;
    const UnwrittenKeys* given = EntryOf(attempted_, change.file);
    if (given == nullptr) continue;
    if (UnwrittenKeys* counted = EntryOf(unwritten_, change.file)) {
      counted->count = given->count;
    } else {
      unwritten_.push_back(*given);
    }
  }
}

void ShowSettingsOutcome(RunContext& run, const SettingsWriter& writer) {
  if (writer.Unwritten().empty()) {
    run.Ui().ShowMessage("Paramétrage créé ou MAJ", MsgIcon::Information);
    return;
  }
  std::vector<std::string> lines;
  for (const UnwrittenKeys& entry : writer.Unwritten()) {
    lines.push_back(entry.file + " (" + ToText(entry.count) + " clés)");
  }
  run.Ui().ShowMessage(ListMessage(kParametresNonEcrits, lines), MsgIcon::Warning);
}

}  // namespace tx3
