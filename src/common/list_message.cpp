#include "common/list_message.h"

namespace tx3 {

std::string ListMessage(std::string_view title, const std::vector<std::string>& items) {
  std::string text(title);
  text += "\r\n\r\n";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += items[i];
  }
  return text;
}

}  // namespace tx3
