#include "common/ui_port.h"

#include <gtest/gtest.h>

namespace tx3 {
namespace {

class CountingPort : public UiPort {
 public:
  int boxes = 0;
  void ShowMessage(std::string_view, MsgIcon) override { ++boxes; }
  std::optional<std::string> BrowseForFolder(std::string_view, std::string_view) override {
    return "C:\\Chosen\\";
  }
  void DoEvents() override {}
  void SetStatusText(std::string_view) override {}
};

TEST(UiPortTest, SilentPortAnswersUntilAViewIsInstalledAndAfterItLeaves) {
  EXPECT_EQ(Ui().BrowseForFolder("C:\\", "Choisir"), std::nullopt);
  Ui().ShowMessage("rien", MsgIcon::Warning);
  Ui().DoEvents();
  Ui().SetStatusText("x");

  CountingPort port;
  SetUiPort(&port);
  EXPECT_EQ(&Ui(), &port);
  Ui().ShowMessage("un", MsgIcon::Information);
  EXPECT_EQ(port.boxes, 1);
  EXPECT_EQ(Ui().BrowseForFolder("", ""), "C:\\Chosen\\");

  SetUiPort(nullptr);
  EXPECT_NE(&Ui(), &port);
  Ui().ShowMessage("deux", MsgIcon::Critical);
  EXPECT_EQ(port.boxes, 1);
  EXPECT_EQ(Ui().BrowseForFolder("C:\\", "Choisir"), std::nullopt);
}

}  // namespace
}  // namespace tx3
