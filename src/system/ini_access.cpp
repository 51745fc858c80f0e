// EcritureIni / LectureIni: one INI key at a time through the platform's profile functions.
#include "system/ini_access.h"

#include "common/error.h"
#include "common/path_names.h"
#include "common/text.h"
#include "common/ui_port.h"
#include "platform/platform.h"
#include "system/folder_checks.h"
#include "system/system_context.h"

namespace tx3 {

namespace {

// The status-bar echo: no blank after the first bar, as the operator has always seen it.
std::string WriteEcho(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value) {
  std::string echo(file);
  echo.append(" |").append(section).append(" | ").append(key).append(" | ").append(value);
  return echo;
}

// A line break would end the key's line inside the file and let the rest of the text stand as
// lines of their own (another section, another key, read before the real one).
bool HoldsLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

bool EcritureIni(SystemContext& run, std::string_view file, std::string_view section,
                 std::string_view key, std::string_view value) {
  ErrorPattern e(run, "Lib_Setup:EcritureIni");
  bool written = false;
  bool refused = false;
  e(10, [&] { run.Ui().SetStatusText(WriteEcho(file, section, key, value)); });
  e(20, [&] {
    refused = Trim(section).empty() || Trim(key).empty() || !NomFichierCorrect(run, file) ||
              HoldsLineBreak(section) || HoldsLineBreak(key) || HoldsLineBreak(value);
  });
  if (refused) return false;

  e(30, [&] { written = platform::Os().WriteProfileEntry(section, key, value, file); });
  if (written) return true;

  // A missing folder is the usual cause of a first failure: create the whole chain.
  e(40, [&] {
    const size_t last = file.rfind('\\');  // the folder ends with the file's last backslash
    if (last != std::string_view::npos) {
      VerificationEtCreationRepertoire(run, file.substr(0, last + 1));
    }
  });
  e(50, [&] { written = platform::Os().WriteProfileEntry(section, key, value, file); });
  if (written) return true;

  // Then a read-only file.
  e(60, [&] { File_RemoveFlag(run, file); });
  e(70, [&] { written = platform::Os().WriteProfileEntry(section, key, value, file); });
  return written;
}

std::string LectureIni(SystemContext& run, std::string_view file, std::string_view section,
                       std::string_view key, std::string_view defaultValue, IniModule module) {
  ErrorPattern e(
      run, module == IniModule::LibSysteme ? "Lib_Systeme:LectureIni" : "Lib_Setup:LectureIni");
  bool acceptable = true;
  e(10, [&] { acceptable = NomFichierCorrect(run, file); });
  if (!acceptable) return std::string(defaultValue);

  // The whole stored value comes back, however long: no fixed read buffer cuts it.
  std::string result;
  e(20, [&] { platform::Os().ReadProfileString(section, key, defaultValue, &result, file); });
  return result;
}

}  // namespace tx3
