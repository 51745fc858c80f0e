#include "app/batch/batch_front_end.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/batch/batch_ui_port.h"
#include "app/frm_main.h"
#include "common/run_context.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3::testing {
namespace {

class BatchFrontEndTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    return RunBatch(args, out, err);
  }
  FakePlatform os;
  UsePlatform guard{os};
  std::ostringstream out;
  std::ostringstream err;
};

TEST(MessageBlockTest, IconLineTextAndEmptyLine) {
  EXPECT_EQ(MessageBlock("Le dossier existe déjà:\r\n\r\nC:\\X\\", MsgIcon::Warning),
            "[warning]\nLe dossier existe déjà:\n\nC:\\X\\\n\n");
  EXPECT_EQ(MessageBlock("Fichiers créés à vide", MsgIcon::Information),
            "[information]\nFichiers créés à vide\n\n");
  EXPECT_EQ(MessageBlock("", MsgIcon::Critical), "[critical]\n\n\n");
}

TEST_F(BatchFrontEndTest, NothingToDoIsSuccessAndWritesNothing) {
  EXPECT_EQ(Run({"--batch"}), kExitOk);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(os.CallCount("WriteProfileEntry"), 0);
  EXPECT_EQ(os.CallCount("MakeDirectory"), 0);
  EXPECT_EQ(os.flushCount, 1);
}

TEST_F(BatchFrontEndTest, CreateFolderOfAFieldSetOnTheCommandLine) {
  EXPECT_EQ(Run({"--batch", "--folder", "2=C:\\Logs\\Tech\\", "--create-folder", "2"}), kExitOk);
  EXPECT_TRUE(os.IsFolder("C:\\Logs\\Tech"));
  EXPECT_EQ(out.str(), "");
}

TEST_F(BatchFrontEndTest, ExistingFolderIsAWarningAndExitOne) {
  os.AddFolder("C:\\Kalvet");
  EXPECT_EQ(Run({"--batch", "--create-folder", "2"}), kExitTrouble);
  EXPECT_EQ(out.str(), "[warning]\nLe dossier existe déjà:\n\nC:\\Kalvet\\\n\n");
}

TEST_F(BatchFrontEndTest, ActionsRunInTheOrderGiven) {
  // The second press finds the folder the first one made.
  EXPECT_EQ(Run({"--batch", "--create-folder", "3", "--create-folder", "3"}), kExitTrouble);
  EXPECT_EQ(out.str(), "[warning]\nLe dossier existe déjà:\n\nC:\\Kalvet\\Pub\\\n\n");
}

TEST_F(BatchFrontEndTest, AnErrorReportMakesExitOne) {
  os.RaiseInCall("FindFirst", err::kOutOfMemory, -1, "D:\\Panne\\");
  EXPECT_EQ(Run({"--batch", "--folder", "4=D:\\Panne\\", "--create-folder", "4"}), kExitTrouble);
  EXPECT_EQ(out.str(), "");
}

TEST_F(BatchFrontEndTest, InvalidListRowIsAUsageError) {
  EXPECT_EQ(Run({"--batch", "--engine", "5", "--step", "1"}), kExitUsage);
  EXPECT_NE(err.str().find("--engine"), std::string::npos);
  EXPECT_EQ(os.CallCount("MakeDirectory"), 0);  // no action ran
  EXPECT_EQ(Run({"--batch", "--converter", "3"}), kExitUsage);
  EXPECT_EQ(Run({"--batch", "--engine", "4", "--converter", "-1"}), kExitOk);
}

TEST_F(BatchFrontEndTest, UsageErrorIsOneLineOnStandardError) {
  EXPECT_EQ(Run({"--batch", "--nope"}), kExitUsage);
  EXPECT_EQ(out.str(), "");
  const std::string e = err.str();
  ASSERT_FALSE(e.empty());
  EXPECT_EQ(e.find('\n'), e.size() - 1);
}

TEST_F(BatchFrontEndTest, HelpAndVersion) {
  EXPECT_EQ(Run({"--help"}), kExitOk);
  EXPECT_NE(out.str().find("--create-database"), std::string::npos);
  EXPECT_EQ(Run({"--version"}), kExitOk);
  RunContext run;
  EXPECT_EQ(out.str(), "tx3_setup " + ProgramVersionText(run) + "\n");
  EXPECT_EQ(os.flushCount, 0);
}

TEST_F(BatchFrontEndTest, VerboseEchoesStatusTexts) {
  os.AddFolder("C:\\Brennic\\Tarvox\\Config");
  EXPECT_EQ(Run({"--batch", "--verbose", "--radio", "Radio Est", "--step", "2"}), kExitOk)
      << out.str();
  EXPECT_NE(err.str().find("Radio Est"), std::string::npos);
  // The step's common ending clears the status bar: that text is echoed too.
  EXPECT_TRUE(err.str().ends_with("\n\n")) << err.str();
  EXPECT_EQ(os.IniValue("C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini", "Site", "Lib"),
            "Radio Est");
}

}  // namespace
}  // namespace tx3::testing
