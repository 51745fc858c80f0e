#include "app/batch/batch_ui_port.h"

#include <string>

#include "app/frm_main.h"
#include "common/error.h"
#include "common/text.h"

namespace tx3 {
namespace {

std::string_view IconTag(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information:
      return "[information]";
    case MsgIcon::Warning:
      return "[warning]";
    case MsgIcon::Critical:
      return "[critical]";
  }
  return "[information]";
}

}  // namespace

std::string MessageBlock(std::string_view text, MsgIcon icon) {
  std::string block(IconTag(icon));
  block += '\n';
  block += ReplaceAll(text, "\r\n", "\n");
  block += "\n\n";
  return block;
}

void BatchUiPort::ShowMessage(std::string_view text, MsgIcon icon) {
  if (icon != MsgIcon::Information) ++warnings_;
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
