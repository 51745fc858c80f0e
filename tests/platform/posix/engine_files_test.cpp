#include "platform/posix/posix_platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

#include "support/child_lock.h"
#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class EngineFilesTest : public TempDrivesTest {
 protected:
  void SetUp() override {
    TempDrivesTest::SetUp();
    MakeHostFolder("c:/Datas");
    path_ = os_->EnginePath("C:\\DATAS\\FRAD000.bt6");
  }

  std::string Read(size_t maxBytes = 1 << 20) {
    std::string bytes;
    EXPECT_TRUE(os_->ReadEngineFile(path_, maxBytes, &bytes));
    return bytes;
  }

  int EntriesInDatas() const {
    int count = 0;
    DIR* dir = ::opendir(Host("c:/Datas").c_str());
    while (const dirent* entry = ::readdir(dir)) count += entry->d_name[0] != '.';
    ::closedir(dir);
    return count;
  }

  std::string path_;
};

TEST_F(EngineFilesTest, EnginePathsAreHostPaths) {
  EXPECT_EQ(path_, Host("c:/Datas/FRAD000.bt6"));
  EXPECT_EQ(os_->EnginePath("Q:\\x.bt6"), "");
  EXPECT_EQ(os_->EnginePath("C:\\x|y.bt6"), "");
}

TEST_F(EngineFilesTest, CreatesAndReplacesAtomically) {
  EXPECT_EQ(os_->ReplaceEngineFile(path_, std::string("first\0bytes", 11)), ReplaceOutcome::kDone);
  EXPECT_EQ(Read(), std::string("first\0bytes", 11));
  EXPECT_EQ(os_->ReplaceEngineFile(path_, "second"), ReplaceOutcome::kDone);
  EXPECT_EQ(Read(), "second");
  EXPECT_EQ(Read(3), "sec");
  EXPECT_EQ(EntriesInDatas(), 1) << "no temporary file is left";
}

TEST_F(EngineFilesTest, ReadingAMissingFileFails) {
  std::string bytes = "kept";
  EXPECT_FALSE(os_->ReadEngineFile(path_, 10, &bytes));
}

TEST_F(EngineFilesTest, RefusesAFileLockedElsewhere) {
  ASSERT_EQ(os_->ReplaceEngineFile(path_, "original"), ReplaceOutcome::kDone);
  const int holder = ::open(path_.c_str(), O_RDONLY);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  EXPECT_EQ(os_->ReplaceEngineFile(path_, "changed"), ReplaceOutcome::kLocked);
  EXPECT_EQ(Read(), "original");
  ::close(holder);
  EXPECT_EQ(os_->ReplaceEngineFile(path_, "changed"), ReplaceOutcome::kDone);
  EXPECT_EQ(Read(), "changed");
}

TEST_F(EngineFilesTest, RefusesAFileLockedByAnotherProcess) {
  ASSERT_EQ(os_->ReplaceEngineFile(path_, "original"), ReplaceOutcome::kDone);
  {
    const testing::ChildLock lock(path_);
    ASSERT_TRUE(lock.held());
    EXPECT_EQ(os_->ReplaceEngineFile(path_, "changed"), ReplaceOutcome::kLocked);
  }
  EXPECT_EQ(os_->ReplaceEngineFile(path_, "changed"), ReplaceOutcome::kDone);
}

TEST_F(EngineFilesTest, FailsWhenTheFolderIsMissing) {
  const std::string orphan = os_->EnginePath("C:\\Missing\\FRAD000.bt6");
  EXPECT_EQ(os_->ReplaceEngineFile(orphan, "x"), ReplaceOutcome::kFailed);
  EXPECT_EQ(os_->ReplaceEngineFile("", "x"), ReplaceOutcome::kFailed);
}

TEST_F(EngineFilesTest, FailsOnAReadOnlyFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  ASSERT_EQ(os_->ReplaceEngineFile(path_, "original"), ReplaceOutcome::kDone);
  ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
  EXPECT_EQ(os_->ReplaceEngineFile(path_, "changed"), ReplaceOutcome::kFailed);
  EXPECT_EQ(Read(), "original");
}

}  // namespace
}  // namespace tx3::platform::posix
