#include "support/fake_ui.h"

namespace tx3::testing {

std::vector<std::string> FakeUi::MessageTexts() const {
  std::vector<std::string> texts;
  for (const Message& message : messages) texts.push_back(message.text);
  return texts;
}

void FakeUi::ShowMessage(std::string_view text, MsgIcon icon) {
  messages.push_back(Message{std::string(text), icon});
  if (onShowMessage) onShowMessage();
}

std::optional<std::string> FakeUi::BrowseForFolder(std::string_view startFolder,
                                                   std::string_view title) {
  browseCalls.push_back(BrowseCall{std::string(startFolder), std::string(title)});
  if (browseAnswers.empty()) return std::nullopt;
  std::optional<std::string> answer = browseAnswers.front();
  browseAnswers.pop_front();
  return answer;
}

void FakeUi::DoEvents() {
  ++doEventsCount;
  if (onDoEvents) onDoEvents();
}

void FakeUi::SetStatusText(std::string_view text) {
  statusText = text;
  statusTexts.emplace_back(text);
}

}  // namespace tx3::testing
