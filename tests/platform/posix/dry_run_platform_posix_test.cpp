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

// What a run is told about a folder it made as "C:\\Émissions" and then names in other cases.
std::vector<std::string> AnswersAfterMaking(Platform& os) {
  std::vector<std::string> answers;
  const auto add = [&answers](std::string_view question, int64_t answer) {
    answers.push_back(std::string(question) + " -> " + std::to_string(answer));
  };
  add("make", os.MakeDirectory("C:\\\xC3\x89missions"));
  for (const char* name :
       {"C:\\\xC3\xA9missions", "c:/\xC3\x89MISSIONS", "C:\\\xC3\xA9MISSIONS\\"}) {
    add(std::string("again ") + name, os.MakeDirectory(name));
    uint32_t attributes = 0;
    add(std::string("attributes ") + name, os.GetAttributes(name, &attributes));
    add(std::string("directory ") + name, attributes & kAttrDirectory);
    std::string found;
    add(std::string("itself ") + name, os.FindFirst(std::string(name) + "\\", true, &found));
    answers.push_back(std::string("found ") + name + " -> " + found);
  }
  add("below", os.MakeDirectory("C:\\\xC3\xA9missions\\\xC3\x89t\xC3\xA9"));
  add("below again", os.MakeDirectory("C:\\\xC3\x89MISSIONS\\\xC3\xA9T\xC3\x89"));
  // Letters outside the code page fold as Windows folds them too.
  add("other script", os.MakeDirectory("C:\\\xD0\x9C\xD0\xA3\xD0\x97"));
  add("other script again", os.MakeDirectory("C:\\\xD0\xBC\xD1\x83\xD0\xB7"));
  return answers;
}

TEST_F(DryRunPlatformTest, AgreesWithARealRunOnNamesDifferingInTheCaseOfAccents) {
  std::vector<std::string> dryAnswers;
  {
    DryRunPlatform dry(*os_);
    dryAnswers = AnswersAfterMaking(dry);
  }
  EXPECT_FALSE(HostExists("c:/\xC3\x89missions")) << "the dry run made nothing";
  const std::vector<std::string> realAnswers = AnswersAfterMaking(*os_);
  EXPECT_EQ(dryAnswers, realAnswers);
  EXPECT_EQ(realAnswers[1],
            "again C:\\\xC3\xA9missions -> " + std::to_string(err::kPathFileAccess));
}

}  // namespace
}  // namespace tx3::platform::posix
