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

void SettingsWriter::Overwrite(std::string_view file, std::string_view section,
                               std::string_view key, std::string_view value) {
  e_(line_, [&] {
    Attempted(file);
    if (!EcritureIni(run_, file, section, key, value)) Count(file);
  });
}

void SettingsWriter::KeepOrDefault(std::string_view file, std::string_view section,
                                   std::string_view key, std::string_view defaultValue) {
  e_(line_, [&] {
    Attempted(file);
    std::string kept;
    if (!ReadKey(file, section, key, defaultValue, &kept)) {
      Count(file);  // a value that cannot be read is never overwritten
      return;
    }
    if (!EcritureIni(run_, file, section, key, kept)) Count(file);
  });
}

bool SettingsWriter::ReadKey(std::string_view file, std::string_view section, std::string_view key,
                             std::string_view defaultValue, std::string* value) {
  // LectureIni answers empty text when the read itself fails: the failure shows only in the
  // error record, which is put back as it was when nothing failed.
  ErrorRecord& PbTErreur = run_.PbTErreur;
  const ErrorRecord before = PbTErreur;
  PbTErreur.Numero = 0;
  *value = LectureIni(run_, file, section, key, defaultValue, IniModule::LibSysteme);
  if (PbTErreur.Numero != 0) return false;
  PbTErreur = before;
  return true;
}

void SettingsWriter::Commit() {
  for (const platform::ProfileFileChange& change : platform::Os().CommitProfileWrites()) {
    run_.Changes.profileFiles.push_back(change);
    if (change.written || run_.DryRun) continue;
    const auto given =
        std::find_if(attempted_.begin(), attempted_.end(),
                     [&](const UnwrittenKeys& entry) { return entry.file == change.file; });
    if (given == attempted_.end()) continue;
    const auto counted =
        std::find_if(unwritten_.begin(), unwritten_.end(),
                     [&](const UnwrittenKeys& entry) { return entry.file == change.file; });
    if (counted == unwritten_.end()) {
      unwritten_.push_back(*given);
    } else {
      counted->count = given->count;
    }
  }
}

namespace {

void AddOne(std::vector<UnwrittenKeys>& counts, std::string_view file) {
  for (UnwrittenKeys& entry : counts) {
    if (entry.file == file) {
      ++entry.count;
      return;
    }
  }
  counts.push_back(UnwrittenKeys{std::string(file), 1});
}

}  // namespace

void SettingsWriter::Count(std::string_view file) {
  AddOne(unwritten_, file);
}

void SettingsWriter::Attempted(std::string_view file) {
  AddOne(attempted_, file);
}

std::string UnwrittenKeysMessage(const std::vector<UnwrittenKeys>& unwritten) {
  std::vector<std::string> lines;
  for (const UnwrittenKeys& entry : unwritten) {
    lines.push_back(entry.file + " (" + ToText(entry.count) + " clés)");
  }
  return ListMessage(kParametresNonEcrits, lines);
}

void ShowSettingsOutcome(RunContext& run, const SettingsWriter& writer) {
  if (writer.Unwritten().empty()) {
    run.Ui().ShowMessage("Paramétrage créé ou MAJ", MsgIcon::Information);
  } else {
    run.Ui().ShowMessage(UnwrittenKeysMessage(writer.Unwritten()), MsgIcon::Warning);
  }
}

}  // namespace tx3
