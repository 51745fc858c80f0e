#include <string>

#include "app/frm_main.h"
#include "app_test_fixture.h"
#include "settings/download_addresses.h"

namespace tx3::testing {
namespace {

class FrmMainCommandsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    w.Create();
  }
  int CheckedRows() const {
    int n = 0;
    for (const CheckedRow& row : w.ListeTX()) n += row.checked;
    return n;
  }
  void Click(int value) {
    w.SetCheckTXValue(value);
    w.CheckTX_Click();
  }
};

TEST_F(FrmMainCommandsTest, CheckAllFollowsTheBox) {
  Click(0);
  EXPECT_EQ(CheckedRows(), 0);
  Click(1);
  EXPECT_EQ(CheckedRows(), 18);
}

TEST_F(FrmMainCommandsTest, CheckAllOverridesAMixedList) {
  w.SetListeTXChecked(0, false);
  w.SetListeTXChecked(7, false);
  Click(0);
  Click(1);
  EXPECT_EQ(CheckedRows(), 18);
  w.SetListeTXChecked(3, true);
  Click(0);
  EXPECT_EQ(CheckedRows(), 0);
}

TEST_F(FrmMainCommandsTest, AnyOtherBoxValueUnchecks) {
  Click(2);
  EXPECT_EQ(CheckedRows(), 0);
}

TEST_F(FrmMainCommandsTest, QuitUnloadsAtOnceWithoutWriting) {
  w.SetTexteNomRadio("Pas enregistré");
  bool told = false;
  w.Subscribe([&](const Change& c) { told |= c.control == Control::Unloaded; });
  const int before = Writes();
  w.CommandQuitter_Click();
  EXPECT_TRUE(w.Unloaded());
  EXPECT_TRUE(told);
  EXPECT_EQ(Writes(), before);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FrmMainCommandsTest, CodecLinkOpensThePageInTheBrowser) {
  w.LabelCODEC_Click();
  ASSERT_EQ(os.shellCalls.size(), 1u);
  const FakePlatform::ShellCall& call = os.shellCalls[0];
  EXPECT_EQ(call.operation, "Open");
  EXPECT_EQ(call.file, CodecPageAddress());
  EXPECT_TRUE(call.file.ends_with("/codec-central.htm")) << call.file;
  EXPECT_FALSE(call.parameters.has_value());
  EXPECT_FALSE(call.folder.has_value());
  EXPECT_EQ(call.showCommand, 1);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FrmMainCommandsTest, StepCommandSeesTheWindow) {
  // Step 1 creates the folders of the eight rows and recolours them.
  w.CommandCreerSettings_Click(0);
  EXPECT_TRUE(os.IsFolder("C:\\TX_Redist"));
  EXPECT_FALSE(Red(w, 7));
  EXPECT_TRUE(w.CheckAction(0));
  EXPECT_FALSE(w.TacheEnCours());
}

// The folder the operator meant: blanks around a typed folder dropped, an application folder
// typed without its final backslash still holding the Settings folder; the field keeps the text.
TEST_F(FrmMainCommandsTest, TypedFoldersAreUsedAsTheOperatorMeantThem) {
  w.SetTexteDossier(0, "  C:\\Appli  ");
  w.SetTexteDossier(1, " C:\\Appli\\Config\\ ");
  EXPECT_EQ(w.DossierRow(0).text, "  C:\\Appli  ");
  w.CommandCreerSettings_Click(0);
  EXPECT_TRUE(os.IsFolder("C:\\Appli\\Config"));
  EXPECT_FALSE(Red(w, 0));
  EXPECT_FALSE(Red(w, 1));
  w.CommandCreerSettings_Click(1);
  const std::string config = "C:\\Appli\\Settings\\TX3_Config.ini";
  EXPECT_EQ(os.IniValue(config, "Site", "Dossier_Config_Global"), "C:\\Appli\\Config\\");
}

TEST_F(FrmMainCommandsTest, StatusTextReachesTheViews) {
  std::string seen;
  w.Subscribe([&](const Change& c) {
    if (c.control == Control::StatusBarMain) seen = w.StatusText();
  });
  w.SetStatusText("BR_Mus.ini [Général] Clé=1");
  EXPECT_EQ(seen, "BR_Mus.ini [Général] Clé=1");
}

TEST_F(FrmMainCommandsTest, UnsubscribedViewIsNoLongerTold) {
  int calls = 0;
  const int id = w.Subscribe([&](const Change&) { ++calls; });
  w.SetTexteNomRadio("A");
  w.Unsubscribe(id);
  w.SetTexteNomRadio("B");
  EXPECT_EQ(calls, 1);
}

TEST_F(FrmMainCommandsTest, SelectionsOutsideTheListsAreRefused) {
  w.SetComboPervasiveSelection(5);
  EXPECT_EQ(w.PervasiveSelection(), 0);
  w.SetComboPervasiveSelection(-1);
  EXPECT_EQ(w.PervasiveSelection(), -1);
  w.SetCombodBPowerAmpSelection(2);
  EXPECT_EQ(w.ConverterSelection(), 2);
  w.SetListeTXChecked(18, false);
  EXPECT_EQ(CheckedRows(), 18);
}

}  // namespace
}  // namespace tx3::testing
