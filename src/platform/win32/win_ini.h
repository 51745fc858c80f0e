// Win.ini through the system's own profile functions (GetProfileStringW, WriteProfileStringW):
// Windows keeps that file itself, maps parts of it to the registry and notifies on change.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_change.h"

namespace tx3::platform::win32 {

// Whether a full path names the Windows folder's Win.ini, which the system keeps itself (mapped
// to the registry on some systems): it is read and written through the system, its writes
// staged in the transactions as the engine stages the other files'.
bool IsWinIni(std::string_view fullPath);

// Win.ini's writes in the profile transactions, as the engine's settings files have them: staged,
// seen by the transaction's reads, written through the system at the commit (never in a dry run)
// and answered as a ProfileFileChange, keys with their values before and after.
class WinIniWrites {
 public:
  // The value staged in the transaction, else the system's.
  std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue);
  // Within a transaction (`inTransaction`) the key is staged, once Win.ini is known to be
  // writable, and true means it will be written at the commit; outside one it is written at once.
  // A dry run writes nothing. `file` is the caller's name of Win.ini, the change's name.
  bool Write(std::string_view section, std::string_view key, std::string_view value,
             std::string_view file, bool inTransaction, bool dryRun);
  // The keys staged since the last commit, written through the system unless `dryRun`; none when
  // nothing changed. `written` is false when one of them could not be written.
  std::optional<ProfileFileChange> Commit(bool dryRun);
  // The outermost transaction ended: what was not committed is written (unless `dryRun`) and the
  // staged values are forgotten.
  void End(bool dryRun);

 private:
  struct Staged {
    std::string section;
    std::string key;
    std::string value;
  };
  Staged* Find(std::string_view section, std::string_view key);
  // The value a write replaces: staged in the transaction, else stored.
  std::optional<std::string> Before(std::string_view section, std::string_view key);

  std::vector<Staged> values_;             // the transaction's values, as its reads see them
  std::vector<ProfileKeyChange> pending_;  // staged since the last commit, in order
  std::string name_;                       // the caller's name of the file
  bool checked_ = false;                   // the writability check passed in this transaction
};

}  // namespace tx3::platform::win32
