// The UI port in use, and the silent port that answers before a view is installed.
#include "common/ui_port.h"

namespace tx3 {

namespace {

class SilentPort final : public UiPort {
 public:
  void ShowMessage(std::string_view, MsgIcon) override {}
  std::optional<std::string> BrowseForFolder(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  void DoEvents() override {}
  void SetStatusText(std::string_view) override {}
};

SilentPort g_silent;
UiPort* g_port = &g_silent;

}  // namespace

UiPort& Ui() {
  return *g_port;
}

void SetUiPort(UiPort* port) {
  g_port = port != nullptr ? port : &g_silent;
}

}  // namespace tx3
