#include "app/batch/batch_ui_port.h"

#include <string>

#include "app/frm_main.h"
#include "common/error.h"
#include "common/text.h"

namespace tx3 {

std::string_view IconName(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information:
      break;
    case MsgIcon::Warning:
      return "warning";
    case MsgIcon::Critical:
      return "critical";
  }
  return "information";
}

std::string MessageBlock(std::string_view text, MsgIcon icon) {
  std::string block = "[" + std::string(IconName(icon)) + "]\n";
  block += ReplaceAll(text, "\r\n", "\n");
  block += "\n\n";
  return block;
}

void BatchUiPort::ShowMessage(std::string_view text, MsgIcon icon) {
  if (icon == MsgIcon::Information && quietInformation_) return;
  messages_.push_back({icon, ReplaceAll(text, "\r\n", "\n")});
  out_ << MessageBlock(text, icon) << std::flush;
}

std::optional<std::string> BatchUiPort::BrowseForFolder(std::string_view, std::string_view) {
  return std::nullopt;
}

void BatchUiPort::DoEvents() {}

void BatchUiPort::SetStatusText(std::string_view text) {
  window_.SetStatusText(text);
  if (verbose_) err_ << text << '\n' << std::flush;
}

}  // namespace tx3
