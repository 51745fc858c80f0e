// The keep-or-default rule and the closing message of the settings commands.
#include "settings/keep_or_default.h"

#include "common/text.h"
#include "common/ui_port.h"
#include "system/ini_access.h"

namespace tx3 {

void SettingsWriter::Overwrite(std::string_view file, std::string_view section,
                               std::string_view key, std::string_view value) {
  e_(line_, [&] {
    if (!EcritureIni(file, section, key, value)) Count(file);
  });
}

void SettingsWriter::KeepOrDefault(std::string_view file, std::string_view section,
                                   std::string_view key, std::string_view defaultValue) {
  e_(line_, [&] {
    std::string kept;
    if (!ReadKey(file, section, key, defaultValue, &kept)) {
      Count(file);  // a value that cannot be read is never overwritten
      return;
    }
    if (!EcritureIni(file, section, key, kept)) Count(file);
  });
}

bool SettingsWriter::ReadKey(std::string_view file, std::string_view section, std::string_view key,
                             std::string_view defaultValue, std::string* value) {
  // LectureIni answers empty text when the read itself fails: the failure shows only in the
  // error record, which is put back as it was when nothing failed.
  const ErrorRecord before = PbTErreur;
  PbTErreur.Numero = 0;
  *value = LectureIni(file, section, key, defaultValue, IniModule::LibSysteme);
  if (PbTErreur.Numero != 0) return false;
  PbTErreur = before;
  return true;
}

void SettingsWriter::Count(std::string_view file) {
  for (UnwrittenKeys& entry : unwritten_) {
    if (entry.file == file) {
      ++entry.count;
      return;
    }
  }
  unwritten_.push_back(UnwrittenKeys{std::string(file), 1});
}

std::string UnwrittenKeysMessage(const std::vector<UnwrittenKeys>& unwritten) {
  std::string text = "Paramètres non écrits:\r\n\r\n";
  for (size_t i = 0; i < unwritten.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += unwritten[i].file + " (" + ToText(unwritten[i].count) + " clés)";
  }
  return text;
}

void ShowSettingsOutcome(const SettingsWriter& writer) {
  if (writer.Unwritten().empty()) {
    Ui().ShowMessage("Paramétrage créé ou MAJ", MsgIcon::Information);
  } else {
    Ui().ShowMessage(UnwrittenKeysMessage(writer.Unwritten()), MsgIcon::Warning);
  }
}

}  // namespace tx3
