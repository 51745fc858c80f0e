// A forwarding platform answers as the platform it wraps, and what it is asked to change is
// changed there.
#include "platform/forwarding_platform.h"
#include "platform/dry_run_platform.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"

namespace tx3::platform {
namespace {

TEST(ForwardingPlatform, AnswersAsThePlatformItWraps) {
  testing::FakePlatform fake;
  fake.AddFile("C:\\Data\\a.bt6", 5000);
  fake.SetIniValue("C:\\Data\\s.ini", "S", "k", "stored");
  fake.environment["TX3_X"] = "x";
  ForwardingPlatform os(fake);
  int64_t size = 0;
  EXPECT_EQ(os.FileSize("C:\\Data\\a.bt6", &size), 0);
  EXPECT_EQ(size, 5000);
  std::string name;
  EXPECT_EQ(os.FindFirst("c:\\data\\*.BT6", false, &name), 0);
  EXPECT_EQ(name, "a.bt6");
  uint32_t attributes = 0;
  EXPECT_EQ(os.GetAttributes("C:\\Missing", &attributes), err::kFileNotFound);
  std::string value;
  os.ReadProfileString("S", "k", "default", &value, "C:\\Data\\s.ini");
  EXPECT_EQ(value, "stored");
  EXPECT_EQ(os.GetEnv("TX3_X"), "x");
  EXPECT_EQ(os.WindowsDirectory(), fake.windowsDirectory);
  EXPECT_EQ(os.ExecutablePath(), fake.executablePath);
}

TEST(ForwardingPlatform, ChangesReachThePlatformItWraps) {
  testing::FakePlatform fake;
  ForwardingPlatform os(fake);
  EXPECT_EQ(os.MakeDirectory("C:\\New"), 0);
  EXPECT_TRUE(fake.IsFolder("C:\\New"));
  os.BeginProfileTransaction();
  EXPECT_TRUE(os.WriteProfileEntry("S", "k", "v", "C:\\New\\s.ini"));
  EXPECT_EQ(os.CommitProfileWrites().size(), 1u);
  os.EndProfileTransaction();
  EXPECT_EQ(fake.IniValue("C:\\New\\s.ini", "S", "k"), "v");
  EXPECT_EQ(os.ReplaceEngineFile("C:\\New\\x.bt6", "data"), ReplaceOutcome::kDone);
  EXPECT_EQ(fake.engineFiles["C:\\New\\x.bt6"], "data");
  os.SetProfileDryRun(true);
  EXPECT_TRUE(fake.profileDryRun);
  os.AppendLog("line");
  EXPECT_EQ(fake.logLines, std::vector<std::string>{"line"});
}

// A fake that counts the log's openings, which the plain fake leaves to the default.
class LogOpeningFake : public testing::FakePlatform {
 public:
  void OpenLog() override { ++opened; }
  int opened = 0;
};

// The log goes through a forwarding platform, not through the dry run's.
TEST(ForwardingPlatform, TheLogIsTheWrappedPlatformsButNotTheDryRuns) {
  LogOpeningFake fake;
  ForwardingPlatform forwarding(fake);
  forwarding.OpenLog();
  forwarding.AppendLog("kept");
  DryRunPlatform dryRun(fake);
  dryRun.OpenLog();
  dryRun.AppendLog("not kept");
  EXPECT_EQ(fake.opened, 1);
  EXPECT_EQ(fake.logLines, std::vector<std::string>{"kept"});
}

}  // namespace
}  // namespace tx3::platform
