// A UI port for the tests: records what the core shows and answers the folder dialog from a script.
//
//   tx3::testing::FakeUi ui;
//   tx3::RunContext run{&ui};                   // the run shows its messages to the fake
//   ui.browseAnswers.push_back("D:\\Sons");     // next BrowseForFolder answer; nullopt = cancel
//
// With no scripted answer left, BrowseForFolder answers "cancelled". onShowMessage / onDoEvents run
// inside the call (to test re-entry while a box is open).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui_port.h"

namespace tx3::testing {

class FakeUi : public UiPort {
 public:
  struct Message {
    std::string text;
    MsgIcon icon;
  };
  struct BrowseCall {
    std::string startFolder;
    std::string title;
  };

  std::vector<Message> messages;
  std::vector<std::string> statusTexts;  // every text set, in order
  std::string statusText;                // the current text
  int doEventsCount = 0;
  std::deque<std::optional<std::string>> browseAnswers;
  std::vector<BrowseCall> browseCalls;
  std::function<void()> onShowMessage;
  std::function<void()> onDoEvents;

  // The texts of the message boxes shown, in order.
  std::vector<std::string> MessageTexts() const;

  void ShowMessage(std::string_view text, MsgIcon icon) override;
  std::optional<std::string> BrowseForFolder(std::string_view startFolder,
                                             std::string_view title) override;
  void DoEvents() override;
  void SetStatusText(std::string_view text) override;
};

}  // namespace tx3::testing
