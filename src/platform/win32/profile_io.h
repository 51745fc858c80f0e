// The file operations of the profile engine on Windows: whole-file reads with the file's
// identity, the writers' lock, replacement by a new file swapped in, and the system's ANSI code
// page for the engine's texts. Paths are full Windows paths in UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/profile_engine.h"
#include "platform/profile_text.h"

namespace tx3::platform::win32 {

// The system's ANSI code page (GetACP) as the profile engine's codec.
class SystemAnsiCodec final : public ProfileCodec {
 public:
  std::string Utf8ToAnsi(std::string_view utf8) const override;
  std::string AnsiToUtf8(std::string_view ansi) const override;
};

class Win32ProfileIo final : public ProfileIo {
 public:
  // A file another program holds open is retried this long before a read or a write fails.
  static constexpr unsigned kBusyMilliseconds = 2000;

  explicit Win32ProfileIo(unsigned busyMilliseconds = kBusyMilliseconds)
      : busyMilliseconds_(busyMilliseconds) {}

  ReadOutcome Read(const std::string& path, const FileIdentity* known, FileIdentity* identity,
                   std::string* bytes) override;
  // The path itself: the profile functions write through links on Windows too, and the engine's
  // callers name real files.
  std::string ReplacementTarget(const std::string& path) override;
  std::string FolderOf(const std::string& path) override;
  bool Writable(const std::string& path) override;
  // A named mutex of the folder, shared by every process and every user of the machine: no lock
  // file is left behind, a killed holder releases it (the wait then answers "abandoned", and the
  // orphans are removed), and it survives the swaps of the files it guards. nullptr after 30 s.
  std::unique_ptr<ProfileLock> LockFolder(const std::string& folder) override;
  // Removes the temporaries of this machine's dead writers, and any an hour old; one whose
  // target is missing is put in its place instead.
  void RemoveOrphans(const std::string& folder) override;
  // Writes the new file beside the old one, flushes it, gives it the old file's attributes, then
  // renames it over the old one (MoveFileExW). False for a read-only file, a missing folder, or a
  // file still held by another program after the busy delay. The new file is always flushed
  // before the rename, `durable` or not: a swap is never cheaper to repair than to flush.
  bool Replace(const std::string& path, std::string_view bytes, bool durable,
               FileIdentity* identity) override;
  void Sync(const std::string& path, bool folder) override;

 private:
  unsigned busyMilliseconds_;
};

}  // namespace tx3::platform::win32
