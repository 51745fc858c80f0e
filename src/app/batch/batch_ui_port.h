// The UI port of the batch front end: message boxes become printed blocks, the folder dialog is
// never opened, the status text goes into the window model (and to standard error if verbose).
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui_port.h"

namespace tx3 {

class FrmMain;

// A message as it was printed: its icon and its text, each CR LF a line break.
struct ShownMessage {
  MsgIcon icon;
  std::string text;
  bool operator==(const ShownMessage&) const = default;
};

class BatchUiPort final : public UiPort {
 public:
  // `quietInformation`: information messages are neither printed nor kept (a dry run's actions
  // would announce what they did not do).
  BatchUiPort(FrmMain& window, std::ostream& out, std::ostream& err, bool verbose,
              bool quietInformation = false)
      : window_(window),
        out_(out),
        err_(err),
        verbose_(verbose),
        quietInformation_(quietInformation) {}

  void ShowMessage(std::string_view text, MsgIcon icon) override;
  std::optional<std::string> BrowseForFolder(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  void DoEvents() override {}
  void SetStatusText(std::string_view text) override;

  // Every message printed so far, in order.
  const std::vector<ShownMessage>& Messages() const { return messages_; }

 private:
  FrmMain& window_;
  std::ostream& out_;
  std::ostream& err_;
  bool verbose_;
  bool quietInformation_;
  std::vector<ShownMessage> messages_;
};

// "information", "warning" or "critical".
std::string_view IconName(MsgIcon icon);

}  // namespace tx3
