// The emulated drives: Windows paths mapped to host paths through a folder of drive entries
// ("c:", "d:", ... folders or links, as Wine's dosdevices; "unc" for network paths), and back.
#pragma once

#include <string>
#include <string_view>

#include "platform/windows_path.h"

namespace tx3::platform::posix {

enum class MapStatus { kOk, kRefused, kNoDrive };

struct MappedPath {
  MapStatus status = MapStatus::kRefused;
  WindowsPath windows;  // the absolute Windows form
  std::string host;     // the host path; existing components in their stored case
};

class DriveMap {
 public:
  // `folder` holds the drive entries. With `makeDefaults`, a folder that does not exist yet is
  // made on first use with "c:" (a folder) and "z:" (a link to /).
  DriveMap(std::string folder, bool makeDefaults);

  // TX3_DRIVES when set; otherwise $XDG_DATA_HOME/tx3-setup/drives (~/.local/share/...), which
  // receives the default entries.
  static DriveMap FromEnvironment();

  // Maps a Windows path (absolute, root-relative or relative to the current folder). An existing
  // component is found case-insensitively when the exact case is absent.
  MappedPath Map(std::string_view text, bool wildcardsInLast = false);

  // The host path of a parsed path; empty when its drive has no entry.
  std::string HostOf(const WindowsPath& path);

  // The Windows path of a host path: under a drive entry that letter ("C:\x"), under the network
  // folder "\\SRV\Share\x", anything else under Z: ("Z:\home\x").
  std::string WindowsPathOf(std::string_view hostPath);

  const std::string& folder() const { return folder_; }

 private:
  void MakeDefaultsOnce();
  std::string DriveRoot(const WindowsPath& path);
  std::string AbsoluteText(std::string_view text);

  std::string folder_;
  bool makeDefaults_;
};

}  // namespace tx3::platform::posix
