// The UI port of the batch front end: message boxes become printed blocks, the folder dialog is
// never opened, the status text goes into the window model (and to standard error if verbose).
#pragma once

#include <ostream>
#include <string_view>

#include "common/ui_port.h"

namespace tx3 {

class FrmMain;

class BatchUiPort final : public UiPort {
 public:
  BatchUiPort(FrmMain& window, std::ostream& out, std::ostream& err, bool verbose)
      : window_(window), out_(out), err_(err), verbose_(verbose) {}

  void ShowMessage(std::string_view text, MsgIcon icon) override;
  std::optional<std::string> BrowseForFolder(std::string_view startFolder,
                                             std::string_view title) override;
  void DoEvents() override;
  void SetStatusText(std::string_view text) override;

  // Warning and critical messages printed so far.
  int WarningsShown() const { return warnings_; }
  // Reports of the error manager seen so far: it lets pending events run once per report.

 private:
  FrmMain& window_;
  std::ostream& out_;
  std::ostream& err_;
  bool verbose_;
  int warnings_ = 0;
};

// The printed form of a message box: "[warning]", the text with each CR LF a line break,
// then an empty line.
std::string MessageBlock(std::string_view text, MsgIcon icon);

}  // namespace tx3
