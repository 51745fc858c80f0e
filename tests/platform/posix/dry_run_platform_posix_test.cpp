// The dry run's platform over the Linux platform: what a run would make answers as made, and
// nothing reaches the disk.
#include "platform/dry_run_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class DryRunPlatformTest : public TempDrivesTest {};

TEST_F(DryRunPlatformTest, MadeFoldersAnswerAsFoldersAndNothingIsWritten) {
  MakeHostFolder("c:/Old");
  MakeHostFile("c:/Old/a.ini", "[S]\r\nk=1\r\n");
  {
    DryRunPlatform dry(*os_);
    EXPECT_EQ(dry.MakeDirectory("C:\\New"), 0);
    EXPECT_EQ(dry.MakeDirectory("C:\\New"), err::kPathFileAccess) << "exists now";
    EXPECT_EQ(dry.MakeDirectory("C:\\Missing\\Deeper"), err::kPathNotFound);
    EXPECT_TRUE(dry.CreateFolder("c:\\new\\Sub"));
    std::string name;
    EXPECT_EQ(dry.FindFirst("C:\\NEW\\SUB\\", true, &name), 0);
    EXPECT_EQ(name, ".");
    EXPECT_EQ(dry.FindFirst("C:\\New\\Sub\\*.ini", false, &name), 0);
    EXPECT_EQ(name, "");
    uint32_t attributes = 0;
    EXPECT_EQ(dry.GetAttributes("C:\\New", &attributes), 0);
    EXPECT_EQ(attributes, kAttrDirectory);
    EXPECT_EQ(dry.SetAttributes("C:\\Old\\a.ini", 0), 0);
    EXPECT_EQ(dry.ReplaceEngineFile(dry.EnginePath("C:\\New\\x.bt6"), "data"),
              ReplaceOutcome::kDone);
    EXPECT_GT(dry.OpenInShell("open", "https://example.org/", std::nullopt, std::nullopt, 1), 32);

    dry.BeginProfileTransaction();
    EXPECT_TRUE(dry.WriteProfileEntry("S", "k", "2", "C:\\Old\\a.ini"));
    EXPECT_TRUE(dry.WriteProfileEntry("S", "k", "1", "C:\\New\\Sub\\b.ini"));
    std::string value;
    dry.ReadProfileString("S", "k", "", &value, "C:\\Old\\a.ini");
    EXPECT_EQ(value, "2") << "the run sees what it would write";
    const std::vector<ProfileFileChange> changes = dry.CommitProfileWrites();
    dry.EndProfileTransaction();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].changed, 1);
    EXPECT_EQ(changes[1].added, 1);
    EXPECT_FALSE(changes[0].written || changes[1].written);
  }
  EXPECT_FALSE(HostExists("c:/New"));
  std::string value;
  os_->ReadProfileString("S", "k", "", &value, "C:\\Old\\a.ini");
  EXPECT_EQ(value, "1");
  EXPECT_EQ(::access(Host("c:/Old/a.ini").c_str(), W_OK), 0) << "attributes untouched";
}

}  // namespace
}  // namespace tx3::platform::posix
