// The few services the core needs from a window. Each view (Qt window, batch front end)
// implements them; the core never sees a GUI toolkit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tx3 {

enum class MsgIcon { Information, Warning, Critical };

class UiPort {
 public:
  virtual ~UiPort() = default;

  // A modal message box with an OK button only, titled with the main window's current caption.
  virtual void ShowMessage(std::string_view text, MsgIcon icon) = 0;

  // The folder-browse dialog, opened on `startFolder` (a Windows path, possibly empty) with
  // `title`. Returns the chosen folder as a Windows path, or nothing when the operator cancelled
  // or chose something that is not a file-system folder.
  virtual std::optional<std::string> BrowseForFolder(std::string_view startFolder,
                                                     std::string_view title) = 0;

  // Lets the window process its pending events once.
  virtual void DoEvents() = 0;

  // The text of the first panel of the status bar.
  virtual void SetStatusText(std::string_view text) = 0;
};

// The port that answers before a view is installed: no message, cancelled dialogs.
class SilentUiPort final : public UiPort {
 public:
  void ShowMessage(std::string_view, MsgIcon) override {}
  std::optional<std::string> BrowseForFolder(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  void DoEvents() override {}
  void SetStatusText(std::string_view) override {}
};

}  // namespace tx3
