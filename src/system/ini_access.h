// Reading and writing one INI key (EcritureIni, LectureIni).
#pragma once

#include <string>
#include <string_view>

namespace tx3 {

// The module a caller reads through (it names the procedure in error reports:
// "Lib_Setup:LectureIni" or "Lib_Systeme:LectureIni"); the behaviour is the same.
enum class IniModule { LibSetup, LibSysteme };

class SystemContext;

// Writes `value` under `key` of `section` in `file`, echoing the call in the status bar and
// repairing a missing folder or a read-only file. True when the key was written. A blank section
// or key, a file name NomFichierCorrect refuses, or a line break in any of the three texts writes
// nothing and answers false.
bool EcritureIni(SystemContext& run, std::string_view file, std::string_view section,
                 std::string_view key, std::string_view value);

// The stored value of `key` (whole, however long), or `defaultValue` when it cannot be read.
std::string LectureIni(SystemContext& run, std::string_view file, std::string_view section,
                       std::string_view key, std::string_view defaultValue,
                       IniModule module = IniModule::LibSetup);

}  // namespace tx3
