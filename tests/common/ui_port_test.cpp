#include "common/ui_port.h"

#include <gtest/gtest.h>

#include "common/run_context.h"

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
  RunContext run;
  EXPECT_EQ(run.Ui().BrowseForFolder("C:\\", "Choisir"), std::nullopt);
  run.Ui().ShowMessage("rien", MsgIcon::Warning);
  run.Ui().DoEvents();
  run.Ui().SetStatusText("x");

  CountingPort port;
  run.SetUiPort(&port);
  EXPECT_EQ(&run.Ui(), &port);
  run.Ui().ShowMessage("un", MsgIcon::Information);
  EXPECT_EQ(port.boxes, 1);
  EXPECT_EQ(run.Ui().BrowseForFolder("", ""), "C:\\Chosen\\");

  run.SetUiPort(nullptr);
  EXPECT_NE(&run.Ui(), &port);
  run.Ui().ShowMessage("deux", MsgIcon::Critical);
  EXPECT_EQ(port.boxes, 1);
  EXPECT_EQ(run.Ui().BrowseForFolder("C:\\", "Choisir"), std::nullopt);
}

}  // namespace
}  // namespace tx3
