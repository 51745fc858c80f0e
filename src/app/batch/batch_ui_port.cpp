#include "app/batch/batch_ui_port.h"

#include <string>

#include "app/frm_main.h"
#include "common/error.h"
#include "common/text.h"

namespace tx3 {

std::string_view IconName(MsgIcon icon) {
  constexpr std::string_view kNames[] = {"information", "warning", "critical"};  // by icon
  return kNames[static_cast<size_t>(icon)];
}

// A message box is printed as a block: "[warning]", the text with each CR LF a line break, then
// an empty line.
void BatchUiPort::ShowMessage(std::string_view text, MsgIcon icon) {
  if (icon == MsgIcon::Information && quietInformation_) return;
  messages_.push_back({icon, ReplaceAll(text, "\r\n", "\n")});
  out_ << "[" << IconName(icon) << "]\n" << messages_.back().text << "\n\n" << std::flush;
}

void BatchUiPort::SetStatusText(std::string_view text) {
  window_.SetStatusText(text);
  if (verbose_) err_ << text << '\n' << std::flush;
}

}  // namespace tx3
