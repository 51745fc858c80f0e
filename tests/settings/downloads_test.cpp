// Steps 4 to 7: the download addresses handed to the shell.
#include "settings/step_context.h"

#include <gtest/gtest.h>

#include "settings/download_addresses.h"
#include "settings/settings_command.h"
#include "test_window.h"

namespace tx3::testing {
namespace {

constexpr std::string_view kUpdateBase = "https://" TX3_UPDATE_HOST "/TX/Releases/TX_34/";

class DownloadsTest : public SettingsTest {
 protected:
  std::vector<std::string> Opened() const {
    std::vector<std::string> files;
    for (const auto& call : os.shellCalls) {
      EXPECT_EQ(call.operation, "Open");
      EXPECT_EQ(call.parameters, std::nullopt);
      EXPECT_EQ(call.folder, std::nullopt);
      EXPECT_EQ(call.showCommand, 1);
      files.push_back(call.file);
    }
    return files;
  }
};

struct ChoiceCase {
  int16_t step;
  int item;
  const char* opened;   // the end of the address opened, nullptr for none
  const char* message;  // the warning shown, nullptr for none
};

class DownloadChoiceTest : public DownloadsTest,
                           public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(DownloadChoiceTest, OpensTheChosenVersionOrExplains) {
  const ChoiceCase& c = GetParam();
  window.pervasive = c.step == 3 ? c.item : 0;
  window.converter = c.step == 4 ? c.item : 0;
  CommandCreerSettings_Click(run, window, c.step);
  const std::vector<std::string> opened = Opened();
  if (c.opened == nullptr) {
    EXPECT_TRUE(opened.empty());
  } else {
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].starts_with("https://")) << opened[0];
    EXPECT_NE(opened[0].find(c.opened), std::string::npos) << opened[0];
  }
  if (c.message == nullptr) {
    EXPECT_TRUE(ui.messages.empty());
  } else {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, c.message);
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Warning);
  }
  EXPECT_TRUE(window.checkAction[c.step]);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, DownloadChoiceTest,
    ::testing::Values(
        ChoiceCase{3, 0, "/download/index/30663?", nullptr},
        ChoiceCase{3, 1, "/download/index/17131?", nullptr},
        ChoiceCase{3, 2, "/download/index/2077", nullptr},
        ChoiceCase{3, 3, "/download/index/43", nullptr},
        ChoiceCase{3, 4, nullptr,
                   "Pour cette version de Pervasive, veuillez utiliser vos ressources propres."},
        ChoiceCase{3, -1, nullptr, nullptr}, ChoiceCase{3, 5, nullptr, nullptr},
        ChoiceCase{4, 0, "/install/dMC-R15.3-Ref-Trial.exe", nullptr},
        ChoiceCase{4, 1, "/install/dMC-R14.4-Ref-Trial.exe", nullptr},
        ChoiceCase{4, 2, nullptr,
                   "Pour cette version de dBPowerAmp, veuillez utiliser vos ressources propres."},
        ChoiceCase{4, -1, nullptr, nullptr}, ChoiceCase{4, 3, nullptr, nullptr}));

TEST_F(DownloadsTest, PageAddressesEndWithTheirPageNumber) {
  window.pervasive = 2;
  CommandCreerSettings_Click(run, window, 3);
  window.pervasive = 3;
  CommandCreerSettings_Click(run, window, 3);
  const auto opened = Opened();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_TRUE(opened[0].ends_with("/download/index/2077"));
  EXPECT_TRUE(opened[1].ends_with("/download/index/43"));
}

TEST_F(DownloadsTest, ComponentsInstallerOpensExactlyOneAddress) {
  CommandCreerSettings_Click(run, window, 5);
  EXPECT_EQ(Opened(),
            std::vector<std::string>{std::string(kUpdateBase) + "Setup_TX3_Composants_V34.exe"});
}

TEST_F(DownloadsTest, TickedRowsOpenTheirPackagesInRowOrder) {
  window.packages.assign(18, false);
  window.packages[17] = true;
  window.packages[0] = true;
  CommandCreerSettings_Click(run, window, 6);
  EXPECT_EQ(Opened(), (std::vector<std::string>{std::string(kUpdateBase) + "TX3_Library.zip",
                                                std::string(kUpdateBase) + "TX3_Tools_Web.zip"}));
  EXPECT_EQ(ui.doEventsCount, 18);
}

TEST_F(DownloadsTest, NoTickedRowOpensNothingAndStillTicks) {
  window.packages.assign(18, false);
  CommandCreerSettings_Click(run, window, 6);
  EXPECT_TRUE(os.shellCalls.empty());
  EXPECT_TRUE(window.checkAction[6]);
}

TEST_F(DownloadsTest, RowsBeyondThePackagesOpenNothingButLetEventsRun) {
  window.packages.assign(20, true);
  CommandCreerSettings_Click(run, window, 6);
  const auto opened = Opened();
  ASSERT_EQ(opened.size(), 18u);
  EXPECT_TRUE(opened[2].ends_with("/TX3_Tools_Scheduler.zip"));
  EXPECT_TRUE(opened[8].ends_with("/TX3_Tools_Connection.zip"));
  EXPECT_EQ(ui.doEventsCount, 20);
}

TEST_F(DownloadsTest, AShellFailureDoesNotStopTheFollowingRows) {
  os.shellResults[std::string(kUpdateBase) + "TX3_Library.zip"] = 31;
  window.packages.assign(18, false);
  window.packages[0] = window.packages[1] = true;
  CommandCreerSettings_Click(run, window, 6);
  EXPECT_EQ(Opened().size(), 2u);
  EXPECT_FALSE(window.busy);
}

TEST(DownloadAddressesTest, EveryHostUsesHttps) {
  EXPECT_TRUE(CodecPageAddress().starts_with("https://"));
  EXPECT_TRUE(CodecPageAddress().ends_with("/codec-central.htm"));
  EXPECT_TRUE(ConverterInstallerAddress("x.exe").starts_with("https://"));
  EXPECT_TRUE(DatabaseVendorPageAddress(43).starts_with("https://"));
  EXPECT_EQ(UpdateServerAddress("", "a.zip"), std::string(kUpdateBase) + "a.zip");
  EXPECT_EQ(UpdateServerAddress("miroir.radio.example:8443", "a.zip"),
            "https://miroir.radio.example:8443/TX/Releases/TX_34/a.zip");
}

TEST(DownloadAddressesTest, HostNames) {
  for (const char* host : {"maj.example.org", "miroir:8443", "10.0.0.7", "[::1]", "h\xC3\xB4te"}) {
    EXPECT_TRUE(IsHostName(host)) << host;
  }
  for (const char* host : {"", "a/b", "a\\b", "a b", "a?b", "a#b", "u@h", "a\tb", "a\x7f"}) {
    EXPECT_FALSE(IsHostName(host)) << host;
  }
}

TEST_F(DownloadsTest, StepsSixAndSevenUseTheRunsUpdateServer) {
  run.UpdateHost = "miroir.radio.example";
  window.packages.assign(18, false);
  window.packages[1] = true;
  CommandCreerSettings_Click(run, window, 5);
  CommandCreerSettings_Click(run, window, 6);
  const std::string base = "https://miroir.radio.example/TX/Releases/TX_34/";
  EXPECT_EQ(Opened(), (std::vector<std::string>{base + "Setup_TX3_Composants_V34.exe",
                                                base + "TX3_Production.zip"}));
}

TEST(DownloadAddressesTest, ConverterInstallersAndCodecPageShareTheMakersSite) {
  const std::string codec = CodecPageAddress();
  const std::string site = codec.substr(0, codec.size() - std::string("/codec-central.htm").size());
  EXPECT_EQ(ConverterInstallerAddress("f.exe"), site + "/install/f.exe");
}

}  // namespace
}  // namespace tx3::testing
